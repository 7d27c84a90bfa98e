// The XDG locations Qt's settings store uses on Linux and other Unix systems.
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "settings/IniSettingsStore.h"
#include "settings/PlatformSettingsStores.h"

namespace {

std::optional<std::string_view> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (!value || *value == '\0') return std::nullopt;
    return value;
}

std::optional<std::filesystem::path> userConfigFolder() {
    if (const auto folder = environmentValue("XDG_CONFIG_HOME")) return std::filesystem::path(*folder);
    if (const auto home = environmentValue("HOME")) return std::filesystem::path(*home) / ".config";
    return std::nullopt;
}

// The machine's folders in order of precedence, as Qt takes them: each of the list's that is not
// empty.
std::vector<std::filesystem::path> machineConfigFolders() {
    std::vector<std::filesystem::path> folders;
    std::string_view list = environmentValue("XDG_CONFIG_DIRS").value_or("");
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view folder = list.substr(0, colon);
        if (!folder.empty()) folders.emplace_back(folder);
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
    }
    if (folders.empty()) folders.emplace_back("/etc/xdg");
    return folders;
}

}  // namespace

SettingsStores makePlatformSettingsStores() {
    auto user = std::make_unique<IniSettingsStore>("Settings");
    if (const auto folder = userConfigFolder())
        user->addFile(*folder / "Veltra4 Replay Analyser" / "Veltra4 Replay Analyser.conf");
    auto machine = std::make_unique<IniSettingsStore>("VELTRA4");
    for (const std::filesystem::path& folder : machineConfigFolders())
        machine->addFile(folder / "Merrow OnLine" / "Setup.conf");
    return SettingsStores{std::move(user), std::move(machine)};
}
