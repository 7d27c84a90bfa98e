// Windows: the user's settings where the desktop program's Qt store writes them (the registry),
// then an INI file of their application data; the simulator's folder in the registry entry its
// installer writes.
#include <windows.h>

#include <shlobj.h>

#include <array>
#include <memory>
#include <vector>

#include "common/PathText.h"
#include "common/Text1252.h"
#include "settings/IniSettingsStore.h"
#include "settings/LayeredSettingsStore.h"
#include "settings/PlatformSettingsStores.h"

namespace {

// The registry's names are UTF-16, as wchar_t holds it on Windows.
std::wstring wideFromUtf8(const std::string& text) {
    const std::u16string units = utf16FromUtf8(text);
    return std::wstring(units.begin(), units.end());
}

// The values of one registry key, as Qt's settings store reads them: strings (REG_SZ, with Qt's
// "@" marks) and 32-bit numbers (REG_DWORD), each readable as the other. The 64-bit view comes
// first, then the 32-bit one, where a 32-bit installer's entries land on 64-bit Windows.
class RegistrySettingsStore : public SettingsStore {
public:
    RegistrySettingsStore(HKEY root, std::wstring key) : root_(root), key_(std::move(key)) {}

    std::optional<std::int32_t> readInt(const std::string& name) const override {
        const std::wstring wideName = wideFromUtf8(name);
        if (const auto number = readNumber(wideName)) return number;
        const auto text = readText(wideName);
        return text ? storedInteger(*text) : std::nullopt;
    }

    std::optional<std::string> readString(const std::string& name) const override {
        const std::wstring wideName = wideFromUtf8(name);
        if (auto text = readText(wideName)) return text;
        const auto number = readNumber(wideName);
        return number ? std::optional(std::to_string(*number)) : std::nullopt;
    }

    bool writeInt(const std::string&, std::int32_t) override { return false; }
    bool writeString(const std::string&, const std::string&) override { return false; }

private:
    static constexpr std::array<DWORD, 2> kViews = {0, RRF_SUBKEY_WOW6432KEY};

    std::optional<std::int32_t> readNumber(const std::wstring& name) const {
        for (const DWORD view : kViews) {
            DWORD number = 0;
            DWORD size = sizeof number;
            if (RegGetValueW(root_, key_.c_str(), name.c_str(), RRF_RT_REG_DWORD | view, nullptr, &number,
                             &size) == ERROR_SUCCESS) {
                return static_cast<std::int32_t>(number);
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> readText(const std::wstring& name) const {
        for (const DWORD view : kViews) {
            DWORD size = 0;
            if (RegGetValueW(root_, key_.c_str(), name.c_str(), RRF_RT_REG_SZ | view, nullptr, nullptr,
                             &size) != ERROR_SUCCESS) {
                continue;
            }
            std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
            size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
            if (RegGetValueW(root_, key_.c_str(), name.c_str(), RRF_RT_REG_SZ | view, nullptr, text.data(),
                             &size) != ERROR_SUCCESS) {
                continue;
            }
            // The text ends at its first null, whatever size the entry claims, as Qt reads it.
            text.resize(text.find(L'\0'));
            return storedText(utf8FromUtf16(std::u16string(text.begin(), text.end())));
        }
        return std::nullopt;
    }

    HKEY root_;
    std::wstring key_;
};

// Qt's key of a program's group, under either root.
std::wstring registryKey(const SettingsLocation& location) {
    return wideFromUtf8(std::string("Software\\") + location.organization + "\\" + location.application +
                        "\\" + location.group);
}

// The user's roaming application data, where Qt keeps its INI files too.
std::optional<std::filesystem::path> roamingAppDataFolder() {
    PWSTR folder = nullptr;
    std::optional<std::filesystem::path> found;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY, nullptr, &folder) == S_OK)
        found = std::filesystem::path(folder);
    CoTaskMemFree(folder);
    return found;
}

}  // namespace

SettingsStores makePlatformSettingsStores() {
    auto iniFile = std::make_unique<IniSettingsStore>(kUserSettings.group);
    if (const auto appData = roamingAppDataFolder()) {
        iniFile->addFile(*appData / pathFromString(kUserSettings.organization) /
                         pathFromString(std::string(kUserSettings.application) + ".ini"));
    }
    std::vector<std::unique_ptr<SettingsStore>> userLayers;
    userLayers.push_back(
        std::make_unique<RegistrySettingsStore>(HKEY_CURRENT_USER, registryKey(kUserSettings)));
    userLayers.push_back(std::move(iniFile));
    return SettingsStores{
        std::make_unique<LayeredSettingsStore>(std::move(userLayers)),
        std::make_unique<RegistrySettingsStore>(HKEY_LOCAL_MACHINE, registryKey(kSimulatorSetup))};
}
