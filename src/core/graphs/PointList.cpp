#include "graphs/PointList.h"

#include <algorithm>
#include <cmath>

void PointList::widenBox(double x, double y) {
    if (points_.empty()) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        return;
    }
    minX_ = std::min(minX_, x);
    maxX_ = std::max(maxX_, x);
    minY_ = std::min(minY_, y);
    maxY_ = std::max(maxY_, y);
}

void PointList::rescanBox() {
    minX_ = maxX_ = points_.front().x;
    minY_ = maxY_ = points_.front().y;
    for (const PlotPoint& point : points_) {
        minX_ = std::min(minX_, point.x);
        maxX_ = std::max(maxX_, point.x);
        minY_ = std::min(minY_, point.y);
        maxY_ = std::max(maxY_, point.y);
    }
}

std::optional<int> PointList::insert(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    widenBox(x, y);
    const PlotPoint point{x, y};
    if (points_.empty() || x < points_.front().x) {
        points_.insert(points_.begin(), point);
        return 0;
    }
    if (x > points_.back().x) {
        points_.push_back(point);
        return static_cast<int>(points_.size()) - 1;
    }
    // Not beyond either end, so a point with an equal or larger x exists.
    const auto at =
        std::lower_bound(points_.begin(), points_.end(), x,
                         [](const PlotPoint& candidate, double value) { return candidate.x < value; });
    const int index = static_cast<int>(at - points_.begin());
    if (at->x == x) {
        *at = point;
        rescanBox();
    } else {
        points_.insert(at, point);
    }
    return index;
}

void PointList::clear() {
    points_.clear();
    minX_ = maxX_ = minY_ = maxY_ = 0;
}
