// Windows only: the stores read the registry and the roaming application data folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "settings/PlatformSettingsStores.h"

namespace {

// Values of one registry key set for a test, put back as they were when it ends: a value the key
// had gets its type and bytes again, one it lacked is deleted, and so is each key the test made.
// `view` is 0 or KEY_WOW64_32KEY (the 32-bit programs' view, WOW6432Node under HKLM\SOFTWARE).
class RegistryValuesForTest {
public:
    RegistryValuesForTest(HKEY root, std::wstring key, REGSAM view = 0)
        : root_(root), key_(std::move(key)), view_(view) {
        for (std::size_t end = 0; end != std::wstring::npos && !firstMadeEnd_;) {
            end = key_.find(L'\\', end + 1);
            HKEY existing = nullptr;
            if (RegOpenKeyExW(root_, key_.substr(0, end).c_str(), 0, KEY_READ | view_, &existing) ==
                ERROR_SUCCESS)
                RegCloseKey(existing);
            else
                firstMadeEnd_ = std::min(end, key_.size());
        }
        made_ = RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &handle_,
                                nullptr) == ERROR_SUCCESS;
    }

    ~RegistryValuesForTest() {
        for (auto value = saved_.rbegin(); value != saved_.rend(); ++value) {
            if (value->bytes)
                RegSetValueExW(handle_, value->name.c_str(), 0, value->type, value->bytes->data(),
                               static_cast<DWORD>(value->bytes->size()));
            else
                RegDeleteValueW(handle_, value->name.c_str());
        }
        if (made_) RegCloseKey(handle_);
        // The keys made here, from the innermost out.
        for (std::size_t end = key_.size(); firstMadeEnd_; end = key_.rfind(L'\\', end - 1)) {
            RegDeleteKeyExW(root_, key_.substr(0, end).c_str(), view_, 0);
            if (end == *firstMadeEnd_) break;
        }
    }

    RegistryValuesForTest(const RegistryValuesForTest&) = delete;
    RegistryValuesForTest& operator=(const RegistryValuesForTest&) = delete;

    bool made() const { return made_; }

    bool setText(const std::wstring& name, const std::wstring& text) {
        return set(name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   (text.size() + 1) * sizeof(wchar_t));
    }
    bool setNumber(const std::wstring& name, DWORD number) {
        return set(name, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }

private:
    struct SavedValue {
        std::wstring name;
        DWORD type = 0;
        std::optional<std::vector<BYTE>> bytes;  // none: the key lacked the value
    };

    bool set(const std::wstring& name, DWORD type, const BYTE* bytes, std::size_t size) {
        SavedValue saved{name, 0, std::nullopt};
        DWORD oldSize = 0;
        if (RegQueryValueExW(handle_, name.c_str(), nullptr, &saved.type, nullptr, &oldSize) ==
            ERROR_SUCCESS) {
            saved.bytes.emplace(oldSize);
            RegQueryValueExW(handle_, name.c_str(), nullptr, &saved.type, saved.bytes->data(), &oldSize);
        }
        saved_.push_back(std::move(saved));
        return RegSetValueExW(handle_, name.c_str(), 0, type, bytes, static_cast<DWORD>(size)) ==
               ERROR_SUCCESS;
    }

    HKEY root_;
    std::wstring key_;
    REGSAM view_;
    std::optional<std::size_t> firstMadeEnd_;  // where the outermost key made here ends in key_
    HKEY handle_ = nullptr;
    bool made_ = false;
    std::vector<SavedValue> saved_;
};

constexpr const wchar_t* kUserKey = L"Software\\Veltra4 Replay Analyser\\Veltra4 Replay Analyser\\Settings";
constexpr const wchar_t* kSimulatorKey = L"SOFTWARE\\Merrow OnLine\\Setup\\VELTRA4";
constexpr const wchar_t* kExplorerKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// These tests point the user's application data folder elsewhere and write the machine's registry:
// only in a Wine prefix, which the tests have to themselves, never on a Windows of someone's.
class WindowsSettingsStores : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr)
            GTEST_SKIP() << "changes the user's folders and the machine's registry: run under Wine only";
    }
};

// The user's values come from the desktop program's registry key, and from the INI file in the
// roaming application data folder for what the key lacks; the registry entries are as
// QSettings writes them.
TEST_F(WindowsSettingsStores, TheUsersRegistryKeyWinsOverTheIniFileWhichFillsIn) {
    TempDir appData;
    std::filesystem::create_directories(appData / "Veltra4 Replay Analyser");
    std::ofstream(appData / "Veltra4 Replay Analyser" / "Veltra4 Replay Analyser.ini")
        << "[Settings]\nMPH=0\nBMPSizeInPixel=1024\nRecordsPath=C:/ini\n";
    // The folder comes from the known-folder API, which reads the user's shell folders (Explorer
    // writes what it found into the older "Shell Folders" key).
    RegistryValuesForTest shellFolders(HKEY_CURRENT_USER, std::wstring(kExplorerKey) + L"User Shell Folders");
    RegistryValuesForTest foundShellFolders(HKEY_CURRENT_USER, std::wstring(kExplorerKey) + L"Shell Folders");
    ASSERT_TRUE(shellFolders.setText(L"AppData", appData.path().native()));
    ASSERT_TRUE(foundShellFolders.setText(L"AppData", appData.path().native()));
    RegistryValuesForTest user(HKEY_CURRENT_USER, kUserKey);
    ASSERT_TRUE(user.made());
    ASSERT_TRUE(user.setNumber(L"MPH", 1));
    ASSERT_TRUE(user.setText(L"RecordsPath", L"C:\\Rennen\\Jörg – Łódź"));
    ASSERT_TRUE(user.setText(L"AltRpyPath", L"@@home"));
    ASSERT_TRUE(user.setText(L"DefaultPlayerIndex", L"3"));

    const SettingsStores stores = makePlatformSettingsStores();
    const SettingsStore& store = *stores.user;
    const struct {
        const char* name;
        std::optional<std::int32_t> number;
        std::optional<std::string> text;
    } expected[] = {
        {"MPH", 1, "1"},  // the registry's number over the file's 0; a number reads as text too
        {"BMPSizeInPixel", 1024, "1024"},  // only in the file
        {"RecordsPath", std::nullopt, "C:\\Rennen\\Jörg – Łódź"},
        {"AltRpyPath", std::nullopt, "@home"},  // "@@" keeps a text that begins with "@" from Qt's marks
        {"DefaultPlayerIndex", 3, "3"},         // a number stored as text
        {"SpyGirlMsg", std::nullopt, std::nullopt},
    };
    for (const auto& value : expected) {
        SCOPED_TRACE(value.name);
        EXPECT_EQ(store.readInt(value.name), value.number);
        EXPECT_EQ(store.readString(value.name), value.text);
    }
}

// The simulator's installer writes its folder in the 64-bit view or, as a 32-bit program, under
// WOW6432Node: the 64-bit view wins where both have it.
TEST_F(WindowsSettingsStores, TheSimulatorFolderFromThe64BitViewThenWow6432Node) {
    RegistryValuesForTest view32(HKEY_LOCAL_MACHINE, kSimulatorKey, KEY_WOW64_32KEY);
    ASSERT_TRUE(view32.made()) << "HKEY_LOCAL_MACHINE cannot be written here";
    ASSERT_TRUE(view32.setText(L"Directory", L"C:\\Program Files (x86)\\VELTRA Racing 4"));
    const SettingsStores stores = makePlatformSettingsStores();
    EXPECT_EQ(stores.machine->readString("Directory"), "C:\\Program Files (x86)\\VELTRA Racing 4");

    RegistryValuesForTest view64(HKEY_LOCAL_MACHINE, kSimulatorKey);
    ASSERT_TRUE(view64.setText(L"Directory", L"D:\\Spiele\\VELTRA Racing 4"));
    EXPECT_EQ(stores.machine->readString("Directory"), "D:\\Spiele\\VELTRA Racing 4");
}

}  // namespace
