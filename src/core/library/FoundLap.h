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
inline constexpr std::size_t kLapOwnColumnCount = 4;  // the columns before FileDate
inline constexpr std::array<const char*, kLapColumnCount> kLapColumnTitles = {
    "Driver Name", "Lap time", "Game mode", "Session", "Filedate", "Replay file"};

// What all rows of one replay file share: where it is, its "Filedate" and "Replay file" texts and
// the date they sort by. Made once per file, as a scan makes tens of thousands of rows.
struct FoundReplay {
    std::filesystem::path path;
    std::string fileDate;  // "2026 Dec 06"
    std::string fileName;  // UTF-8: "Rivaldi quick race.rpy"
    int fileDay = 0;       // the file date as yyyymmdd
};

// One loadable lap found by the Lap Finder: the texts of its own columns (UTF-8, ready to show:
// "Marco Tanaka", "1m 16.236s", "Simulation", "Race"), its replay file, and the keys its columns
// sort by.
struct FoundLap {
    std::array<std::string, kLapOwnColumnCount> ownColumns;  // Driver, LapTime, GameMode, Session
    std::shared_ptr<const FoundReplay> replay;
    LapChoice lap{};
    std::uint32_t lapMs = 0;
    std::size_t scanOrder = 0;  // position in the scan: "Unsorted (fastest)"

    // Any column's text, the file's columns included.
    const std::string& text(LapColumn column) const {
        switch (column) {
            case LapColumn::FileDate:
                return replay->fileDate;
            case LapColumn::ReplayFile:
                return replay->fileName;
            default:
                return ownColumns[static_cast<std::size_t>(column)];
        }
    }
    const std::filesystem::path& path() const { return replay->path; }
    int fileDay() const { return replay->fileDay; }
};
