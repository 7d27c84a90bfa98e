#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "common/Result.h"
#include "track/TrackFileError.h"
#include "track/TrackGeometry.h"

struct VxTrack;

// Receives the drawable parts of a track model, in drawing order.
class TrackModelVisitor {
public:
    virtual ~TrackModelVisitor() = default;
    virtual void surface(const TrackSurface& surface) = 0;
    virtual void boundary(const TrackBoundaryLine& line) = 0;
    virtual void marker(const TrackMarker& marker) = 0;
};

// The plane model of a decoded track: one geometry per segment with its start distance, the
// surfaces and walls beside the centre line, four marker lines across the road at 0, 1/4, 1/2 and
// 3/4 of the lap, and the bounding box of the centre line. Maps a telemetry position (distance
// from the start/finish line, lateral offset) to a plane point.
class TrackModel {
public:
    // The model of a decoded track; fails when the track has no segments or a missing one.
    static Result<TrackModel, TrackFileError> build(const VxTrack& track);

    // The first segment whose end is at or beyond the distance; nothing past the end of the track.
    std::optional<int> findSegment(double distance) const;
    const TrackSegmentGeometry& segmentAt(int index) const {
        return *segments_[static_cast<std::size_t>(index)];
    }
    int segmentCount() const { return static_cast<int>(segments_.size()); }
    // The plane point of a track position; nothing past the end of the track.
    std::optional<TrackPoint> positionAt(double distance, double lateral) const;
    void accept(TrackModelVisitor& visitor) const;

    double totalLength() const { return totalLength_; }
    const std::array<TrackMarker, 4>& markers() const { return markers_; }
    double minX() const { return box_.minX; }
    double maxX() const { return box_.maxX; }
    double minY() const { return box_.minY; }
    double maxY() const { return box_.maxY; }

private:
    TrackModel() = default;
    void buildMarkers();

    std::vector<std::unique_ptr<TrackSegmentGeometry>> segments_;
    double totalLength_ = 0;
    std::array<TrackMarker, 4> markers_;
    TrackBoundingBox box_;
};
