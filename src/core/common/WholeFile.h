#pragma once

#include <filesystem>
#include <ios>
#include <string_view>

// Writes a file completely or not at all: the data go to a fresh temporary file beside it, which
// then replaces the file (a link at `path` is replaced, not followed). False (and nothing left
// behind) when it cannot be written. `mode` adds std::ios::binary for byte-exact files; without it
// line ends become the platform's.
bool writeWholeFile(const std::filesystem::path& path, std::string_view data,
                    std::ios::openmode mode = std::ios::out);
