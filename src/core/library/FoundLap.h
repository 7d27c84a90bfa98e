#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "replay/LapChoice.h"

// The Lap Finder's columns, in the list's order, and their heads.
enum class LapColumn { Driver, LapTime, GameMode, Session, FileDate, ReplayFile };
inline constexpr std::size_t kLapColumnCount = 6;
inline constexpr std::array<const char*, kLapColumnCount> kLapColumnTitles = {
    "Driver Name", "Lap time", "Game mode", "Session", "Filedate", "Replay file"};

// One loadable lap found by the Lap Finder: its row's texts (UTF-8, ready to show: "Marco Tanaka",
// "1m 16.236s", "Simulation", "Race", "2026 Dec 06", "Rivaldi quick race.rpy"), where it is, and the
// keys its columns sort by. The rows of one file share its path.
struct FoundLap {
    std::array<std::string, kLapColumnCount> columns;
    std::shared_ptr<const std::filesystem::path> file;
    LapChoice lap{};
    std::uint32_t lapMs = 0;
    int fileDay = 0;            // the file date as yyyymmdd
    std::size_t scanOrder = 0;  // position in the scan: "Unsorted (fastest)"

    const std::string& text(LapColumn column) const { return columns[static_cast<std::size_t>(column)]; }
    const std::filesystem::path& path() const { return *file; }
};
