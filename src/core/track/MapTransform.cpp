#include "track/MapTransform.h"

#include <algorithm>

#include "track/TrackModel.h"

namespace {

// World units per map unit at the least. Track points lie within 1000 km of the origin (the model
// refuses others), so map coordinates stay within 1e15, far inside a long.
constexpr double kMinScale = 1e-9;

}  // namespace

long roundHalfAway(double value) {
    return static_cast<long>(value >= 0 ? value + 0.5 : value - 0.5);
}

MapTransform::MapTransform(double width, double height, double marginX, double marginY,
                           const TrackModel& model) {
    const double availableWidth = width - 2 * marginX, availableHeight = height - 2 * marginY;
    const double worldWidth = model.maxX() - model.minX(), worldHeight = model.maxY() - model.minY();
    scale_ = std::max(worldWidth / availableWidth, worldHeight / availableHeight);
    if (!(scale_ > 0)) scale_ = 1;  // a track of no extent
    scale_ = std::max(scale_, kMinScale);
    ox_ = static_cast<long>(marginX) + roundHalfAway((availableWidth - worldWidth / scale_) / 2) -
          roundHalfAway(model.minX() / scale_);
    oy_ = static_cast<long>(marginY) + roundHalfAway((availableHeight - worldHeight / scale_) / 2) +
          roundHalfAway(model.maxY() / scale_);
}

MapPoint MapTransform::toMap(const TrackPoint& point) const {
    return {roundHalfAway(point.x / scale_) + ox_, oy_ - roundHalfAway(point.y / scale_)};
}
