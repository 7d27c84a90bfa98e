#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "track/TrackFile.h"
#include "track/TrackModel.h"

// A track of the simulator folder, decoded and modelled, with its official length.
struct LoadedTrack {
    std::unique_ptr<TrackFile> file;
    std::unique_ptr<TrackModel> model;
    TrackLength length;  // its message tells when track.ini is missing
};

// Throws TrackFileError when the track cannot be decoded or modelled (the registry is then cleared).
LoadedTrack loadTrack(const std::filesystem::path& simulatorDirectory, const std::string& trackName);
