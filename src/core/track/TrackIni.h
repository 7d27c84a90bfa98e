#pragma once

#include <filesystem>
#include <string>

// The official length of a track from "<simulator>/tracks/<name>/track.ini", in metres, and the
// warning to show when that file is missing.
struct TrackLength {
    double metres = 0;
    std::string message;  // empty unless the file is missing
};
TrackLength readTrackLength(const std::filesystem::path& simulatorDirectory, const std::string& trackName);

// The value of "track_length =" in a track.ini text, in metres; 0 without the key.
double trackLengthFromIni(const std::string& text);

inline constexpr const char* kTrackIniMissing =
    "Track.ini or entire track seems to be missing in the tracks directory: Speeds will be misreported in "
    "the reports!";
