#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// One lap of a replay: a driver's index in the driver table, a session code and a lap slot.
struct LapChoice {
    int driver;
    int session;
    int slot;
};

// The words for the session codes: "practice", "qualifying", "warmup", "race"; and back (nothing
// for another word).
const char* sessionKey(int session);
// The sessions' names as windows show them: "Practice", "Qualifying", "Warmup", "Race" (empty
// for another code).
const char* sessionName(int session);
std::optional<int> sessionFromKey(std::string_view key);

// A lap of a replay file named as FILE:DRIVER:SESSION:LAP ("race1.rpy:0:race:2"), as the
// command-line tool and the desktop program take it. The path may hold colons.
struct LapSpec {
    std::filesystem::path file;
    LapChoice lap;
};
std::optional<LapSpec> parseLapSpec(const std::string& text);
