#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "decode/VxTrackFile.h"
#include "trackmap/VxTrackModel.h"

// A track of the simulator folder, decoded and modelled, with its official length.
struct LoadedTrack {
    std::unique_ptr<VxTrackFile> file;
    std::unique_ptr<VxTrackModel> model;
    TrackLength length;  // its message tells when track.ini is missing
};

// Throws VxException when the track cannot be decoded or modelled (the registry is then cleared).
LoadedTrack loadTrack(const std::filesystem::path& simulatorDirectory, const std::string& trackName);
