#include "track/TrackModel.h"

#include <algorithm>
#include <cmath>

#include "track/VxObjects.h"

namespace {

// Positions and offsets lie within 1000 km of the origin; headings may be any finite number of
// turns. Anything else is damage, refused before any arithmetic is done with it.
constexpr double kMaxCoordinate = 1e6;

bool plausible(double value) {
    return std::isfinite(value) && std::fabs(value) <= kMaxCoordinate;
}

template <typename Section>
bool plausibleOffsets(const std::vector<Section*>& sections) {
    return std::all_of(sections.begin(), sections.end(), [](const Section* section) {
        return !section || (plausible(section->startOffset) && plausible(section->endOffset));
    });
}

bool plausible(const VxSegment& segment) {
    return plausible(segment.startX) && plausible(segment.startY) && plausible(segment.endX) &&
           plausible(segment.endY) && std::isfinite(segment.startHeading) &&
           std::isfinite(segment.endHeading) && plausibleOffsets(segment.fSections) &&
           plausibleOffsets(segment.wSections);
}

}  // namespace

Result<TrackModel, TrackFileError> TrackModel::build(const VxTrack& track) {
    if (track.segments.empty()) return TrackFileError("Error: the track has no segments");
    TrackModel model;
    for (const VxSegment* segment : track.segments) {
        if (!segment) return TrackFileError("Error: the track has a missing segment");
        if (!plausible(*segment)) {
            return TrackFileError("Error: the track file is damaged: segment " +
                                  std::to_string(model.segments_.size() + 1) +
                                  " has a position, heading or offset that is not a finite number within "
                                  "1000 km");
        }
        auto geometry = makeSegmentGeometry(*segment, model.totalLength_);
        model.totalLength_ += geometry->length();
        geometry->build(model.box_);
        model.segments_.push_back(std::move(geometry));
    }
    model.buildMarkers();
    return model;
}

std::optional<int> TrackModel::findSegment(double distance) const {
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (distance <= segments_[i]->startDistance() + segments_[i]->length()) return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<TrackPoint> TrackModel::positionAt(double distance, double lateral) const {
    const std::optional<int> index = findSegment(distance);
    if (!index) return std::nullopt;
    const TrackSegmentGeometry& segment = segmentAt(*index);
    return segment.positionAt(distance - segment.startDistance(), lateral);
}

void TrackModel::buildMarkers() {
    for (std::size_t marker = 0; marker < markers_.size(); ++marker) {
        const double distance = totalLength_ * static_cast<double>(marker) / 4;
        const std::optional<int> index = findSegment(distance);
        if (!index || !segmentAt(*index).hasEdges()) continue;
        const TrackSegmentGeometry& segment = segmentAt(*index);
        const double alongSegment = distance - segment.startDistance();
        markers_[marker] = {true, segment.leftEdgeAt(alongSegment), segment.rightEdgeAt(alongSegment)};
    }
}

void TrackModel::accept(TrackModelVisitor& visitor) const {
    for (const auto& segment : segments_) {
        for (const TrackSurface& surface : segment->surfaces())
            visitor.surface(surface);
        for (const TrackBoundaryLine& line : segment->boundaries())
            visitor.boundary(line);
    }
    for (const TrackMarker& marker : markers_)
        visitor.marker(marker);
}
