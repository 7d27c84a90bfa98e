#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The demo simulator folder: the marker file "VELTRA Racing 4.exe", two circuits under tracks/
// (Rivaldi packed in an archive, Hollowmere as a plain track file; folder and file names in mixed
// case), and replays of race weekends under replay/. The same seed gives byte-identical files,
// with fixed file times.
struct DemoOptions {
    std::uint32_t seed = 1;
    bool large = false;  // adds a replay of about 100 MB, for benchmarks
};

// Writes the folder; returns the paths of the replays written. Throws std::runtime_error when a
// file cannot be written.
std::vector<std::filesystem::path> writeDemoFolder(const std::filesystem::path& folder,
                                                   const DemoOptions& options);
