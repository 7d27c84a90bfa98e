#include "library/LapSorting.h"

#include <algorithm>
#include <numeric>

#include "common/Text1252.h"

namespace {

constexpr std::array<const char*, 7> kOrderKeys = {"unsorted", "driver",   "laptime", "gamemode",
                                                   "session",  "filedate", "file"};

}  // namespace

LapOrder orderByColumn(LapColumn column) {
    return static_cast<LapOrder>(static_cast<int>(column) + 1);
}

std::vector<std::size_t> sortedPositions(const std::vector<FoundLap>& laps, LapOrder order) {
    std::vector<std::size_t> positions(laps.size());
    std::iota(positions.begin(), positions.end(), std::size_t{0});
    const auto by = [&](auto less) {
        const auto lessAt = [&](std::size_t a, std::size_t b) { return less(laps[a], laps[b]); };
        // Rows come in scan order, which a merge sort would walk through all the same.
        if (!std::is_sorted(positions.begin(), positions.end(), lessAt))
            std::stable_sort(positions.begin(), positions.end(), lessAt);
        return positions;
    };
    switch (order) {
        case LapOrder::Unsorted:
            return by([](const FoundLap& a, const FoundLap& b) { return a.scanOrder < b.scanOrder; });
        case LapOrder::LapTime:
            return by([](const FoundLap& a, const FoundLap& b) { return a.lapMs < b.lapMs; });
        case LapOrder::FileDate:
            return by([](const FoundLap& a, const FoundLap& b) { return a.fileDay() < b.fileDay(); });
        case LapOrder::Driver:
        case LapOrder::GameMode:
        case LapOrder::Session:
        case LapOrder::ReplayFile:
            break;
    }
    // Each row's text lower-cased once: the comparisons then compare bytes, as many times as they like.
    const auto column = static_cast<LapColumn>(static_cast<int>(order) - 1);
    std::vector<std::string> keys;
    keys.reserve(laps.size());
    for (const FoundLap& lap : laps)
        keys.push_back(asciiLower(lap.text(column)));
    std::stable_sort(positions.begin(), positions.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return positions;
}

void sortLaps(std::vector<FoundLap>& laps, LapOrder order) {
    std::vector<FoundLap> sorted;
    sorted.reserve(laps.size());
    for (const std::size_t position : sortedPositions(laps, order))
        sorted.push_back(std::move(laps[position]));
    laps = std::move(sorted);
}

std::optional<LapOrder> lapOrderFromKey(std::string_view key) {
    const auto found = std::find(kOrderKeys.begin(), kOrderKeys.end(), key);
    if (found == kOrderKeys.end()) return std::nullopt;
    return static_cast<LapOrder>(found - kOrderKeys.begin());
}
