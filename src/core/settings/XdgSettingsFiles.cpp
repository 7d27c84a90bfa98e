#include "settings/XdgSettingsFiles.h"

#include <string_view>

#include "settings/PlatformSettingsStores.h"

namespace {

std::string_view valueOrEmpty(const std::optional<std::string>& value) {
    return value ? std::string_view(*value) : std::string_view();
}

// A relative $XDG_CONFIG_HOME is taken as it is, relative to the working folder, as Qt 6.4 does.
std::string userConfigFolder(const XdgEnvironment& environment) {
    if (const std::string_view folder = valueOrEmpty(environment.configHome); !folder.empty())
        return std::string(folder);
    // Without HOME, Qt's home is the root folder.
    return std::string(valueOrEmpty(environment.home)) + "/.config";
}

// Every entry of the list, empty ones too: Qt keeps them, and an empty folder then names the root.
std::vector<std::string> machineConfigFolders(const XdgEnvironment& environment) {
    const std::string_view list = valueOrEmpty(environment.configDirs);
    if (list.empty()) return {"/etc/xdg"};
    std::vector<std::string> folders;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = list.find(':', start);
        folders.emplace_back(list.substr(start, colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    return folders;
}

// Qt's files of one organisation and application in a folder: the application's own file first,
// then the organisation's shared one. The folder is joined with "/" as Qt joins it.
void addApplicationFiles(std::vector<std::filesystem::path>& files, const std::vector<std::string>& folders,
                         const SettingsLocation& location) {
    const std::string organization = location.organization;
    for (const std::string& folder : folders)
        files.emplace_back(folder + "/" + organization + "/" + location.application + ".conf");
    for (const std::string& folder : folders)
        files.emplace_back(folder + "/" + organization + ".conf");
}

}  // namespace

XdgSettingsFiles xdgSettingsFiles(const XdgEnvironment& environment) {
    const std::vector<std::string> machineFolders = machineConfigFolders(environment);
    XdgSettingsFiles files;
    // The user's store reads the user's files, then the machine's.
    addApplicationFiles(files.user, {userConfigFolder(environment)}, kUserSettings);
    addApplicationFiles(files.user, machineFolders, kUserSettings);
    addApplicationFiles(files.machine, machineFolders, kSimulatorSetup);
    return files;
}
