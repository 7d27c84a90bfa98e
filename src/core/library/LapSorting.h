#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "library/FoundLap.h"

// The Lap Finder's sort options: the order of the scan, or ascending by one column.
enum class LapOrder { Unsorted, Driver, LapTime, GameMode, Session, FileDate, ReplayFile };

// The radio buttons' texts, in LapOrder's order.
inline constexpr std::array<const char*, 7> kLapOrderTitles = {
    "Unsorted (fastest)", "By Driver",   "By Laptime",    "By Game mode",
    "By Session",         "By Filedate", "By Replay File"};

// The order of a column's head.
LapOrder orderByColumn(LapColumn column);

// The positions of `laps` in an order, sorted stably: text columns without regard to case, "Lap
// time" by the time and "Filedate" by the date (as text "10m" would come before "1m " and "Apr"
// before "Aug"); Unsorted is the scan's order.
std::vector<std::size_t> sortedPositions(const std::vector<FoundLap>& laps, LapOrder order);
// The laps put in that order.
void sortLaps(std::vector<FoundLap>& laps, LapOrder order);

// The command line's words for the orders: "unsorted", "driver", "laptime", "gamemode",
// "session", "filedate", "file".
std::optional<LapOrder> lapOrderFromKey(std::string_view key);
