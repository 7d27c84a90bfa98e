#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The tracks installed in the simulator: the names of the sub-folders of its tracks folder as
// pathString gives them (pathText shows them), sorted by name without regard to case (then by
// bytes), so the list reads the same on every system.
std::vector<std::string> installedTracks(const std::filesystem::path& simulatorDirectory);
