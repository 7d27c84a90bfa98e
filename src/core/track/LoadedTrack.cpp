#include "track/LoadedTrack.h"

#include "common/SimulatorFolders.h"

Result<std::unique_ptr<LoadedTrack>, TrackFileError> loadTrack(
    const std::filesystem::path& simulatorDirectory, const std::string& trackName) {
    auto file = TrackFile::load(tracksFolder(simulatorDirectory), trackName);
    if (!file) return file.error();
    auto model = TrackModel::build(file->root());
    if (!model) return model.error();
    return std::make_unique<LoadedTrack>(LoadedTrack{std::move(file).value(), std::move(model).value(),
                                                     readTrackLength(simulatorDirectory, trackName)});
}
