#pragma once

// How the 10000 x 10000 map square shows in a view of some pixels: the zoom factor (1 when the
// whole square fits), the pixels per map unit that follow from it, and the scroll position. A
// zoomed map narrower than the view is centred in it.
class MapZoom {
public:
    static constexpr double kSquare = 10000;
    static constexpr double kStep = 1.25;
    static constexpr double kMaxContentPixels = 1e7;  // keeps scroll ranges and coordinates sane
    static constexpr int kClickSize = 10;             // a zoom box smaller than this is a click

    struct Point {
        double x, y;
    };

    void setViewport(int width, int height);
    int viewportWidth() const { return width_; }
    int viewportHeight() const { return height_; }

    double factor() const { return factor_; }
    double pixelsPerUnit() const;
    // The zoomed square's size in pixels, and the scroll position within it.
    double contentSize() const { return kSquare * pixelsPerUnit(); }
    double scrollX() const { return scrollX_; }
    double scrollY() const { return scrollY_; }
    void scrollTo(double x, double y);

    // View pixels to map units and back.
    Point toMap(double viewX, double viewY) const;
    Point toView(double mapX, double mapY) const;

    // Multiplies the factor by `multiplier` and centres the view on a map point.
    void zoomOn(Point map, double multiplier);
    // Multiplies the factor and keeps the map point under a view pixel where it is (wheel zoom).
    void zoomAround(double viewX, double viewY, double multiplier);
    // A dragged box in view pixels: fills the view with it, or zooms in on it by one step when its
    // larger side is under 10 pixels. True when it was a box.
    bool zoomToBox(double x0, double y0, double x1, double y1);
    void showWhole();

private:
    double fitScale() const;
    double offsetX() const;
    double offsetY() const;
    void setFactor(double factor);

    int width_ = 1;
    int height_ = 1;
    double factor_ = 1;
    double scrollX_ = 0;
    double scrollY_ = 0;
};
