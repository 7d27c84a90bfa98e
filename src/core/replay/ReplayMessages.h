#pragma once

// Texts shown when a replay cannot be read; the path of the file follows some of them in a
// second message.
inline constexpr const char* kHeaderReadError = "HeaderClass: Error reading file!";
inline constexpr const char* kZdkNotSupported = "HeaderClass: ZDK replays not supported!";
inline constexpr const char* kDriversReadError = "DriversClass: Error reading file!";
inline constexpr const char* kDriversCountMismatch =
    "Sorry, but VELTRA4 Replay Analyser cannot load this file correct.\r\nPlease contact us so that we can "
    "analyse why.";
inline constexpr const char* kLapDataReadError = "RpyDataClass: Error reading file!";

// The load sequence of the document.
inline constexpr const char* kMaxLapsLoaded = "Max number of laps already loaded!";
inline constexpr const char* kNotSameTrack = "This file is not from the same track!";
inline constexpr const char* kCannotFindTrack =
    "Can't find track for this replay!\nYou'll not be able to see any track maps nor speed data!\nMake sure "
    "VELTRA4 Path is set correctly in File->Settings\n\nDetailed error message:\n";
inline constexpr const char* kLapDataMissing =
    "VxRA has detected that some data seems to be missing at the start/end of this lap\nThis is often caused by "
    "false (online) laptimes in the replay.\nThe replay laptime for this lap is probably incorrect.";
inline constexpr const char* kLapTimeMightBeWrong = "VxRA has detected the laptime for this lap might be incorrect";
