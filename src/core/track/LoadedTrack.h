#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "common/Result.h"
#include "track/TrackFile.h"
#include "track/TrackIni.h"
#include "track/TrackModel.h"

// A track of the simulator folder, decoded and modelled, with its official length. The model
// refers to the file's objects: keep the two together (a loaded track is held where it was made).
struct LoadedTrack {
    TrackFile file;
    TrackModel model;
    TrackLength length;  // its message tells when track.ini is missing
};

// Decodes and models the track `trackName` of the simulator folder and reads its track.ini.
Result<std::unique_ptr<LoadedTrack>, TrackFileError> loadTrack(
    const std::filesystem::path& simulatorDirectory, const std::string& trackName);
