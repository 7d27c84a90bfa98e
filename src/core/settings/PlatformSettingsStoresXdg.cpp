// The XDG locations Qt's settings store uses on Linux and other Unix systems.
#include <cstdlib>
#include <memory>

#include "settings/IniSettingsStore.h"
#include "settings/PlatformSettingsStores.h"
#include "settings/XdgSettingsFiles.h"

namespace {

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::unique_ptr<IniSettingsStore> storeOfFiles(std::string group,
                                               const std::vector<std::filesystem::path>& files) {
    auto store = std::make_unique<IniSettingsStore>(std::move(group));
    for (const std::filesystem::path& file : files)
        store->addFile(file);
    return store;
}

}  // namespace

SettingsStores makePlatformSettingsStores() {
    const XdgSettingsFiles files = xdgSettingsFiles(XdgEnvironment{
        environmentValue("XDG_CONFIG_HOME"), environmentValue("XDG_CONFIG_DIRS"), environmentValue("HOME")});
    return SettingsStores{storeOfFiles(kUserSettings.group, files.user),
                          storeOfFiles(kSimulatorSetup.group, files.machine)};
}
