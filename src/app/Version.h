#pragma once

// The product's name and version as the about box and the command-line tool show them.
inline constexpr const char* kProductName = "VELTRA4 Replay Analyser";
inline constexpr const char* kProductVersion = "1.0";
