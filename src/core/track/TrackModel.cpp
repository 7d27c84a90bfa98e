#include "track/TrackModel.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "common/SimulatorFolders.h"
#include "track/TrackFileError.h"
#include "track/VxObjects.h"

TrackModel::TrackModel(const VxTrack& track) {
    if (track.segments.empty()) throw TrackFileError("Error: the track has no segments");
    for (const VxSegment* segment : track.segments) {
        if (!segment) throw TrackFileError("Error: the track has a missing segment");
        auto geometry = makeSegmentGeometry(*segment, totalLength_);
        totalLength_ += geometry->length();
        geometry->build(box_);
        segments_.push_back(std::move(geometry));
    }
    buildMarkers();
}

int TrackModel::findSegment(double distance) const {
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (distance <= segments_[i]->startDistance() + segments_[i]->length()) return static_cast<int>(i);
    }
    return -1;
}

std::optional<TrackPoint> TrackModel::positionAt(double distance, double lateral) const {
    const int index = findSegment(distance);
    if (index < 0) return std::nullopt;
    const TrackSegmentGeometry& segment = segmentAt(index);
    return segment.positionAt(distance - segment.startDistance(), lateral);
}

void TrackModel::buildMarkers() {
    for (std::size_t m = 0; m < markers_.size(); ++m) {
        const double distance = totalLength_ * static_cast<double>(m) / 4;
        const int index = findSegment(distance);
        if (index < 0 || !segmentAt(index).hasEdges()) continue;
        const TrackSegmentGeometry& segment = segmentAt(index);
        const double s = distance - segment.startDistance();
        markers_[m] = {true, segment.leftEdgeAt(s), segment.rightEdgeAt(s)};
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

// The value starts 15 characters after the start of the first "track_length =" (one past the
// 14-character key) and ends before the next "m"; it is in miles.
double trackLengthFromIni(const std::string& text) {
    static const std::string kKey = "track_length =";
    const std::size_t key = text.find(kKey);
    if (key == std::string::npos) return 0;
    const std::size_t begin = key + 15;
    const std::size_t end = text.find('m', key);
    if (begin >= text.size() || end == std::string::npos || end <= begin) return 0;
    std::string value = text.substr(begin, end - begin);
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of(' ') + 1);
    double miles = 0;
    std::from_chars(value.data(), value.data() + value.size(), miles);
    return miles * 1609.344;
}

TrackLength readTrackLength(const std::filesystem::path& simulatorDirectory, const std::string& trackName) {
    const auto folder = trackFolder(tracksFolder(simulatorDirectory), trackName);
    std::ifstream in(entryIgnoringCase(folder, "track.ini"), std::ios::binary);
    if (!in) return {0, kTrackIniMissing};
    std::ostringstream text;
    text << in.rdbuf();
    return {trackLengthFromIni(text.str()), ""};
}
