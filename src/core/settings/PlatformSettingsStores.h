#pragma once

#include "settings/SettingsStore.h"

// The settings stores of this system, read without Qt where the desktop program's Qt store keeps
// them. Linux: the user's "$XDG_CONFIG_HOME/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf"
// (~/.config without it) and the simulator's "Merrow OnLine/Setup.conf" in the folders of
// $XDG_CONFIG_DIRS (/etc/xdg without it). Windows: the user's "%APPDATA%\Veltra4 Replay
// Analyser\Veltra4 Replay Analyser.ini" and the simulator's registry entry
// HKEY_LOCAL_MACHINE\SOFTWARE\Merrow OnLine\Setup\VELTRA4. Both stores are read only.
SettingsStores makePlatformSettingsStores();
