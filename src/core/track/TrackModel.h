#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    // Throws TrackFileError when the track has no segments.
    explicit TrackModel(const VxTrack& track);

    // The first segment whose end is at or beyond the distance; -1 past the end of the track.
    int findSegment(double distance) const;
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
    void buildMarkers();

    std::vector<std::unique_ptr<TrackSegmentGeometry>> segments_;
    double totalLength_ = 0;
    std::array<TrackMarker, 4> markers_;
    TrackBoundingBox box_;
};

// The official length of a track from "<simulator>/tracks/<name>/track.ini", in metres, and the
// warning to show when that file is missing.
struct TrackLength {
    double metres = 0;
    std::string message;  // empty unless the file is missing
};
TrackLength readTrackLength(const std::filesystem::path& simulatorDirectory, const std::string& trackName);

// The value of "track_length =" in a track.ini text, in metres; 0 without the key.
double trackLengthFromIni(const std::string& text);

inline constexpr const char* kTrackIniMissing =
    "Track.ini or entire track seems to be missing in the tracks directory: Speeds will be misreported in "
    "the "
    "reports!";
