#include "track/LoadedTrack.h"

#include "common/SimulatorFolders.h"
#include "track/TrackFileError.h"
#include "track/TrackObjectRegistry.h"

LoadedTrack loadTrack(const std::filesystem::path& simulatorDirectory, const std::string& trackName) {
    LoadedTrack track;
    try {
        track.file = std::make_unique<TrackFile>(tracksFolder(simulatorDirectory), trackName);
        track.file->parse();
        track.model = std::make_unique<TrackModel>(*track.file->root());
    } catch (const TrackFileError&) {
        TrackObjectRegistry::instance().clear();
        throw;
    }
    track.length = readTrackLength(simulatorDirectory, trackName);
    return track;
}
