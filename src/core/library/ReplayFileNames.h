#pragma once

#include <filesystem>
#include <vector>

// The names of the "*.rpy" regular files (extension in any case; links to such files count) in
// `folder`, in the order the system lists them; none when the folder cannot be listed. Names
// only: a scan of thousands of files builds no path for each. The type comes with the listing
// where the system gives it: readdir's entry type on POSIX systems (ReplayFileNamesPosix.cpp),
// FindFirstFileW's attributes on Windows, which give each file's date and size as well.
std::vector<std::filesystem::path> replayFileNames(const std::filesystem::path& folder);
