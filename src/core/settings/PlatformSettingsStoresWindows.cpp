// Windows: the user's settings in an INI file of their application data, and the simulator's
// folder in the registry entry its installer writes.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "settings/IniSettingsStore.h"
#include "settings/PlatformSettingsStores.h"

namespace {

std::wstring wideFromUtf8(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string utf8FromWide(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                        nullptr);
    return text;
}

// The values of one registry key under HKEY_LOCAL_MACHINE, as Qt's settings store reads them:
// strings (REG_SZ) and 32-bit numbers (REG_DWORD), each readable as the other.
class RegistrySettingsStore : public SettingsStore {
public:
    explicit RegistrySettingsStore(std::wstring key) : key_(std::move(key)) {}

    std::optional<std::int32_t> readInt(const std::string& name) const override {
        DWORD number = 0;
        DWORD size = sizeof number;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key_.c_str(), wideFromUtf8(name).c_str(), RRF_RT_REG_DWORD,
                         nullptr, &number, &size) == ERROR_SUCCESS) {
            return static_cast<std::int32_t>(number);
        }
        const auto text = readText(name);
        return text ? storedInteger(*text) : std::nullopt;
    }

    std::optional<std::string> readString(const std::string& name) const override {
        if (const auto text = readText(name)) return text;
        DWORD number = 0;
        DWORD size = sizeof number;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key_.c_str(), wideFromUtf8(name).c_str(), RRF_RT_REG_DWORD,
                         nullptr, &number, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::to_string(static_cast<std::int32_t>(number));
    }

    bool writeInt(const std::string&, std::int32_t) override { return false; }
    bool writeString(const std::string&, const std::string&) override { return false; }

private:
    std::optional<std::string> readText(const std::string& name) const {
        const std::wstring wideName = wideFromUtf8(name);
        DWORD size = 0;
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key_.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                         &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegGetValueW(HKEY_LOCAL_MACHINE, key_.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr,
                         text.data(), &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        // The size counts the closing null.
        text.resize(size / sizeof(wchar_t) - (size >= sizeof(wchar_t) ? 1 : 0));
        return utf8FromWide(text);
    }

    std::wstring key_;
};

}  // namespace

SettingsStores makePlatformSettingsStores() {
    auto user = std::make_unique<IniSettingsStore>("Settings");
    if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData && *appData)
        user->addFile(std::filesystem::path(appData) / L"Veltra4 Replay Analyser" /
                      L"Veltra4 Replay Analyser.ini");
    return SettingsStores{
        std::move(user), std::make_unique<RegistrySettingsStore>(L"SOFTWARE\\Merrow OnLine\\Setup\\VELTRA4")};
}
