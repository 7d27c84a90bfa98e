#pragma once

#include <filesystem>
#include <string>

// A file or folder name (or a whole path) as UTF-8 text to show. On Linux names are bytes: one that
// is not UTF-8 was most likely made on Windows, the simulator's system, so its bytes are read as
// Windows-1252 ("Qualif\xe9.rpy" shows as "Qualifé.rpy"). Only for showing: the files themselves
// are always reached by their own path.
std::string pathText(const std::filesystem::path& path);
