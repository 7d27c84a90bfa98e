#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// The points of one curve, kept in ascending x with no two points sharing an x, and their bounding
// box (all 0 while the list is empty).

struct PlotPoint {
    double x;
    double y;
};

class PointList {
public:
    // Inserts in x order; a point whose x is already present replaces that point. Returns the index
    // where the point now stands, or nothing for a point that is not finite (it could be neither
    // ordered nor drawn).
    std::optional<int> insert(double x, double y);
    void clear();

    const std::vector<PlotPoint>& points() const { return points_; }
    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }

    double minX() const { return minX_; }
    double maxX() const { return maxX_; }
    double minY() const { return minY_; }
    double maxY() const { return maxY_; }

private:
    void widenBox(double x, double y);
    void rescanBox();

    std::vector<PlotPoint> points_;
    double minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;
};
