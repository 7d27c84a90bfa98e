#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "replay/DriverTable.h"
#include "replay/ReplayHeader.h"

// A replay's head and driver table, read as the desktop program reads them when a lap is added.
struct LoadedReplay {
    ReplayHeader header;
    std::unique_ptr<DriverTable> drivers;
};

// Reads `path`; on failure writes the program's messages (and the reason) to `err`.
std::optional<LoadedReplay> loadReplay(const std::filesystem::path& path, std::ostream& err);

// "practice", "qualifying", "warmup", "race"; and back (nothing for another word).
const char* sessionKey(int session);
std::optional<int> sessionFromKey(const std::string& key);
