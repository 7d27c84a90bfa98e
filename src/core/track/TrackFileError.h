#pragma once

#include <stdexcept>
#include <string>

// A failure of the track decoder or model, carrying the complete text the user is shown.
class TrackFileError : public std::runtime_error {
public:
    explicit TrackFileError(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// The text of every failure to locate, read or unpack a track file.
inline constexpr const char* kCannotOpenTrackFile = "Error: cannot open track file";
