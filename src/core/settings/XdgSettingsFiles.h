#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The XDG variables Qt's settings store follows; none for one that is unset.
struct XdgEnvironment {
    std::optional<std::string> configHome;  // XDG_CONFIG_HOME
    std::optional<std::string> configDirs;  // XDG_CONFIG_DIRS
    std::optional<std::string> home;        // HOME
};

// The files Qt's settings store reads on Linux and other Unix systems, in its order: the first
// file that gives a value wins.
struct XdgSettingsFiles {
    std::vector<std::filesystem::path> user;
    std::vector<std::filesystem::path> machine;
};

XdgSettingsFiles xdgSettingsFiles(const XdgEnvironment& environment);
