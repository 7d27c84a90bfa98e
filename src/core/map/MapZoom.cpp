#include "map/MapZoom.h"

#include <algorithm>
#include <cmath>

void MapZoom::setViewport(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    setFactor(factor_);
    scrollTo(scrollX_, scrollY_);
}

double MapZoom::fitScale() const {
    return std::min(width_, height_) / kSquare;
}

double MapZoom::pixelsPerUnit() const {
    return fitScale() * factor_;
}

void MapZoom::setFactor(double factor) {
    const double maxFactor = kMaxContentPixels / (kSquare * fitScale());
    factor_ = std::clamp(factor, 1 / (kStep * kStep * kStep * kStep), maxFactor);
}

// A square narrower than the view sits in its middle.
double MapZoom::offsetX() const {
    return std::max(0.0, (width_ - contentSize()) / 2);
}
double MapZoom::offsetY() const {
    return std::max(0.0, (height_ - contentSize()) / 2);
}

void MapZoom::scrollTo(double x, double y) {
    scrollX_ = std::clamp(x, 0.0, std::max(0.0, contentSize() - width_));
    scrollY_ = std::clamp(y, 0.0, std::max(0.0, contentSize() - height_));
}

MapZoom::Point MapZoom::toMap(double viewX, double viewY) const {
    return {(viewX + scrollX_ - offsetX()) / pixelsPerUnit(),
            (viewY + scrollY_ - offsetY()) / pixelsPerUnit()};
}

MapZoom::Point MapZoom::toView(double mapX, double mapY) const {
    return {mapX * pixelsPerUnit() - scrollX_ + offsetX(), mapY * pixelsPerUnit() - scrollY_ + offsetY()};
}

void MapZoom::zoomOn(Point map, double multiplier) {
    setFactor(factor_ * multiplier);
    scrollTo(map.x * pixelsPerUnit() - width_ / 2.0, map.y * pixelsPerUnit() - height_ / 2.0);
}

void MapZoom::zoomAround(double viewX, double viewY, double multiplier) {
    const Point map = toMap(viewX, viewY);
    setFactor(factor_ * multiplier);
    scrollTo(0, 0);
    const Point now = toView(map.x, map.y);
    scrollTo(now.x - viewX, now.y - viewY);
}

// The new factor comes from the box's share of the view, so a box on a zoomed map zooms further.
bool MapZoom::zoomToBox(double x0, double y0, double x1, double y1) {
    const double boxWidth = std::abs(x1 - x0), boxHeight = std::abs(y1 - y0);
    const Point centre = toMap((x0 + x1) / 2, (y0 + y1) / 2);
    if (std::max(boxWidth, boxHeight) < kClickSize) {
        zoomOn(centre, kStep);
        return false;
    }
    const double multiplier =
        std::min((width_ + 1) / std::max(boxWidth, 1.0), (height_ + 1) / std::max(boxHeight, 1.0));
    zoomOn(centre, multiplier);
    return true;
}

void MapZoom::showWhole() {
    factor_ = 1;
    scrollTo(0, 0);
}
