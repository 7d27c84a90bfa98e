#pragma once

#include "settings/SettingsStore.h"

// Where a program keeps its settings in Qt's store: the names that make its key or file, and the
// group that holds them.
struct SettingsLocation {
    const char* organization;
    const char* application;
    const char* group;
};

// The desktop program's own values, and the simulator's setup entry its installer writes.
inline constexpr SettingsLocation kUserSettings = {"Veltra4 Replay Analyser", "Veltra4 Replay Analyser",
                                                   "Settings"};
inline constexpr SettingsLocation kSimulatorSetup = {"Merrow OnLine", "Setup", "VELTRA4"};

// The settings stores of this system, read without Qt where the desktop program's Qt store keeps
// them. Linux: the user's "$XDG_CONFIG_HOME/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf"
// (~/.config without it) and the simulator's "Merrow OnLine/Setup.conf" in the folders of
// $XDG_CONFIG_DIRS (/etc/xdg without it), each with Qt's fallback files (XdgSettingsFiles.h). Windows: the
// user's registry key "HKEY_CURRENT_USER\Software\Veltra4 Replay Analyser\Veltra4 Replay Analyser\Settings"
// (where the desktop program saves), then "%APPDATA%\Veltra4 Replay Analyser\Veltra4 Replay Analyser.ini" for
// what the key lacks, and the simulator's registry entry
// "HKEY_LOCAL_MACHINE\SOFTWARE\Merrow OnLine\Setup\VELTRA4" (64-bit view, then 32-bit). Both
// stores are read only.
SettingsStores makePlatformSettingsStores();
