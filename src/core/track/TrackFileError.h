#pragma once

#include <stdexcept>
#include <string>

// Why a track could not be loaded, as the complete text the user is shown. The decoder throws it
// from deep inside the object stream; TrackFile::load and TrackModel::build return it.
class TrackFileError : public std::runtime_error {
public:
    explicit TrackFileError(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// The text of every failure to locate, read or unpack a track file.
inline constexpr const char* kCannotOpenTrackFile = "Error: cannot open track file";
