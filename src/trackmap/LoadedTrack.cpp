#include "trackmap/LoadedTrack.h"

#include "common/SimulatorFolders.h"
#include "decode/VxException.h"
#include "decode/VxTrackRegistry.h"

LoadedTrack loadTrack(const std::filesystem::path& simulatorDirectory, const std::string& trackName) {
    LoadedTrack track;
    try {
        track.file = std::make_unique<VxTrackFile>(tracksFolder(simulatorDirectory), trackName);
        track.file->parse();
        track.model = std::make_unique<VxTrackModel>(*track.file->root());
    } catch (const VxException&) {
        VxTrackRegistry::instance().clear();
        throw;
    }
    track.length = readTrackLength(simulatorDirectory, trackName);
    return track;
}
