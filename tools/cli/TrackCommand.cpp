#include <charconv>
#include <nlohmann/json.hpp>

#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "common/PathText.h"
#include "track/LoadedTrack.h"

namespace {

using json = nlohmann::ordered_json;

struct TrackPosition {
    double distance;
    double lateral;
};

// "DISTANCE,LATERAL" in metres.
std::optional<TrackPosition> parsePosition(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    TrackPosition p{};
    const char* end = text.data() + text.size();
    const auto first = std::from_chars(text.data(), text.data() + comma, p.distance);
    const auto second = std::from_chars(text.data() + comma + 1, end, p.lateral);
    if (first.ec != std::errc() || first.ptr != text.data() + comma || second.ec != std::errc() ||
        second.ptr != end) {
        return std::nullopt;
    }
    return p;
}

json point(const TrackPoint& trackPoint) {
    return json::array({trackPoint.x, trackPoint.y});
}

int track(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 1) return usageError(context.err, "track takes one track name");
    std::vector<TrackPosition> positions;
    for (const std::string& at : args.values("--at")) {
        const auto position = parsePosition(at);
        if (!position)
            return usageError(context.err, "--at takes DISTANCE,LATERAL in metres, not '" + at + "'");
        positions.push_back(*position);
    }
    const std::string& simulator = context.settings.simulatorDirectory();
    if (simulator.empty()) {
        return failure(
            context.err,
            "no simulator folder is set: give --sim-dir or set it in the desktop program's Settings");
    }
    const std::string& name = args.operands.front();
    const auto loaded = loadTrack(context.settings.simulatorFolder(), name);
    if (!loaded) return failure(context.err, loaded.error().message());
    const LoadedTrack& track = *loaded.value();
    const TrackFile& file = track.file;
    const TrackModel& model = track.model;
    const TrackLength& official = track.length;
    if (!official.message.empty()) context.err << "vxra: " << official.message << "\n";

    json markers = json::array();
    for (const TrackMarker& m : model.markers()) {
        markers.push_back(m.present ? json{{"left", point(m.left)}, {"right", point(m.right)}} : json());
    }
    json at = json::array();
    for (const TrackPosition& p : positions) {
        const auto plane = model.positionAt(p.distance, p.lateral);
        at.push_back({{"distance", p.distance},
                      {"lateral", p.lateral},
                      {"point", plane ? point(*plane) : json("off track")}});
    }
    printDocument(args, context,
                  {
                      {"trackName", nameText(name)},
                      {"compressed", file.compressed()},
                      {"storedSize", file.storedSize()},
                      {"unpackedSize", file.unpackedSize()},
                      {"segmentCount", model.segmentCount()},
                      {"totalLength", model.totalLength()},
                      {"boundingBox",
                       {{"minX", model.minX()},
                        {"maxX", model.maxX()},
                        {"minY", model.minY()},
                        {"maxY", model.maxY()}}},
                      {"markers", markers},
                      {"trackIniLength", official.metres},
                      {"at", at},
                  });
    return kExitOk;
}

}  // namespace

void registerTrackCommand(CliApp& app) {
    app.add({"track",
             "NAME",
             "decode a track of the simulator folder: sizes, segments, length, bounding box, markers, the "
             "track.ini length, and the plane point of each --at position",
             {{"--at", "DISTANCE,LATERAL",
               "a position in metres along the centre line and to the left; may be repeated"},
              kJsonOption},
             track});
}
