// A track file decoded and modelled, as a plain .ptf and as the member of a .dat archive, its
// positions and map points, and the input read as a track.ini.
#include <string>

#include "FuzzTarget.h"
#include "track/LoadedTrack.h"
#include "track/MapTransform.h"

namespace {

void model(const std::filesystem::path& simulator) {
    const auto track = loadTrack(simulator, "fuzz");
    if (!track) return;
    const TrackModel& model = track.value()->model;
    const MapTransform transform(10000, 10000, 50, 50, model);
    for (double distance : {-1.0, 0.0, model.totalLength() / 3, model.totalLength(), 1e9}) {
        if (const auto point = model.positionAt(distance, 4)) transform.toMap(*point);
    }
}

}  // namespace

VXRA_FUZZ_TARGET(track) {
    const std::filesystem::path simulator = scratchFolder() / "track";
    std::filesystem::remove_all(simulator);
    writeScratch(simulator / "tracks/fuzz/fuzz.ptf", input);
    model(simulator);
    std::filesystem::remove(simulator / "tracks/fuzz/fuzz.ptf");
    writeScratch(simulator / "tracks/fuzz/fuzz.dat", input);
    model(simulator);
    trackLengthFromIni(std::string(input.begin(), input.end()));
}
