#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A path as a string and back, losing nothing: its bytes on POSIX systems, UTF-8 on Windows (where
// a path holds UTF-16 and string() may give the ANSI code page, which has no room for most names).
// Arguments, settings and texts that name files go through these.
std::string pathString(const std::filesystem::path& path);
std::filesystem::path pathFromString(std::string_view text);

// A file or folder name (or a whole path) as UTF-8 text to show. On Linux names are bytes: one that
// is not UTF-8 was most likely made on Windows, the simulator's system, so its bytes are read as
// Windows-1252 ("Qualif\xe9.rpy" shows as "Qualifé.rpy"). Only for showing: the files themselves
// are always reached by their own path. On Windows every name is Unicode and shows as it is.
std::string pathText(const std::filesystem::path& path);

// A name given as text, by the rule pathText shows names by: UTF-8 as it is, anything else read as
// Windows-1252 (as replays store track names).
std::string nameText(std::string_view text);

// The chosen file name with `ending` (in lower case, such as ".txt") added, unless it ends so
// already in any case.
std::filesystem::path withEnding(const std::filesystem::path& chosen, std::string_view ending);
