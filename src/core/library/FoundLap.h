#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "replay/LapChoice.h"

// The Lap Finder's columns, in the list's order, and their heads.
enum class LapColumn { Driver, LapTime, GameMode, Session, FileDate, ReplayFile };
inline constexpr std::size_t kLapColumnCount = 6;
inline constexpr std::array<const char*, kLapColumnCount> kLapColumnTitles = {
    "Driver Name", "Lap time", "Game mode", "Session", "Filedate", "Replay file"};

// What all rows of one replay file share: where it is, its "Filedate" and "Replay file" texts and
// the date they sort by, its drivers' names and what its game mode and session columns depend on.
// Made once per file, as a scan makes tens of thousands of rows.
struct FoundReplay {
    std::shared_ptr<const std::filesystem::path> folder;  // shared by the replays of one folder
    std::filesystem::path name;                           // the file's name in it
    std::string fileDate;                                 // "2026 Dec 06"
    std::string fileName;                                 // UTF-8: "Rivaldi quick race.rpy"
    int fileDay = 0;                                      // the file date as yyyymmdd
    std::vector<std::string> driverNames;                 // UTF-8, by driver; empty for drivers without rows
    bool arcadeMode = false;
    bool practiceIsTraining = false;  // as a two-driver replay calls its practice

    std::filesystem::path path() const { return *folder / name; }
};

// One loadable lap found by the Lap Finder: its replay file, which lap it is and the keys its
// columns sort by. Its texts are made when asked for, as most rows of a scan are never shown.
struct FoundLap {
    std::shared_ptr<const FoundReplay> replay;
    LapChoice lap{};
    std::uint32_t lapMs = 0;
    std::size_t scanOrder = 0;  // position in the scan: "Unsorted (fastest)"

    // Any column's text, UTF-8, ready to show: "Marco Tanaka", "1m 16.236s", "Simulation",
    // "Race", "2026 Dec 06", "Rivaldi quick race.rpy".
    std::string text(LapColumn column) const;
    std::filesystem::path path() const { return replay->path(); }
    int fileDay() const { return replay->fileDay; }
};
