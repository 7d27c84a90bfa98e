#include "library/InstalledTracks.h"

#include <algorithm>

#include "common/PathText.h"
#include "common/SimulatorFolders.h"
#include "common/Text1252.h"

std::vector<std::string> installedTracks(const std::filesystem::path& simulatorDirectory) {
    std::vector<std::string> names;
    for (const auto& entry : folderEntries(tracksFolder(simulatorDirectory))) {
        std::error_code error;
        if (entry.is_directory(error)) names.push_back(pathString(entry.path().filename()));
    }
    std::sort(names.begin(), names.end(), nameOrder);
    return names;
}
