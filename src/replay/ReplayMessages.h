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
