#include "racechart/RaceChartLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "replay/DriverTable.h"

namespace {

using namespace racechart;

constexpr std::uint64_t kNoTime = std::numeric_limits<std::uint64_t>::max();

// A driver's race crossing times: element j is the session time at which he completed lap j
// (slot 0 is the time before the line).
std::vector<std::vector<std::uint64_t>> crossingTimes(const DriverTable& drivers) {
    std::vector<std::vector<std::uint64_t>> times(drivers.driverCount);
    for (int d = 0; d < drivers.driverCount; ++d) {
        std::uint64_t sum = 0;
        for (int j = 0; j <= drivers.lapCount(kRace, d); ++j) {
            sum += lapDuration(drivers.lapEntry(kRace, d, j));
            times[static_cast<std::size_t>(d)].push_back(sum);
        }
    }
    return times;
}

// Drivers by time, equal times by driver index. Times are whole sums, not cut to 24 bits, so a
// race longer than 4h39m of session time still ranks by time.
std::vector<int> ranked(std::vector<std::pair<std::uint64_t, int>> entries) {
    std::sort(entries.begin(), entries.end());
    std::vector<int> order;
    for (const auto& entry : entries)
        order.push_back(entry.second);
    return order;
}

std::uint64_t bestQualifyingLap(const DriverTable& drivers, int d) {
    std::uint64_t best = kNoTime;
    for (int j = 1; j <= drivers.lapCount(kQualifying, d); ++j) {
        const std::uint32_t entry = drivers.lapEntry(kQualifying, d, j);
        if (!(entry & kIncompleteLap)) best = std::min<std::uint64_t>(best, lapDuration(entry));
    }
    return best;
}

std::string rowLabel(const DriverTable& drivers, int d, int row) {
    const int place = row + 1;
    return drivers.driverName(d) + (place < 10 ? "   " : " ") + std::to_string(place);
}

}  // namespace

RaceChartLayout layoutRaceChart(const DriverTable& drivers) {
    RaceChartLayout chart;
    const int driverCount = drivers.driverCount;
    const auto times = crossingTimes(drivers);
    const auto lapsOf = [&](int d) {
        return static_cast<int>(times[static_cast<std::size_t>(d)].size()) - 1;
    };
    const auto crossing = [&](int d, int lap) {
        return times[static_cast<std::size_t>(d)][static_cast<std::size_t>(lap)];
    };
    int mostLaps = 0;
    for (int d = 0; d < driverCount; ++d)
        mostLaps = std::max(mostLaps, lapsOf(d));
    chart.laps = mostLaps;
    chart.drivers = driverCount;
    chart.width = kColumnWidth * (mostLaps + 1) + 218;
    chart.height = kRowHeight * driverCount + kTopMargin + 30;

    const bool qualifying = drivers.sessionPresent[kQualifying];
    chart.startQuestionMarks = !qualifying;
    std::vector<std::pair<std::uint64_t, int>> startEntries;
    for (int d = 0; d < driverCount; ++d)
        startEntries.emplace_back(qualifying       ? bestQualifyingLap(drivers, d)
                                  : lapsOf(d) >= 1 ? crossing(d, 1)
                                                   : kNoTime,
                                  d);
    chart.start = ranked(std::move(startEntries));
    for (int row = 0; row < driverCount; ++row)
        chart.rowLabels.push_back(rowLabel(drivers, chart.start[static_cast<std::size_t>(row)], row));

    // Each driver's row at the previous column (-1: none). With a qualifying table the start
    // column counts as lap 0, so lines begin there; without, they begin at lap 1.
    std::vector<int> previousRow(static_cast<std::size_t>(driverCount), -1);
    if (qualifying) {
        for (int row = 0; row < driverCount; ++row)
            previousRow[static_cast<std::size_t>(chart.start[static_cast<std::size_t>(row)])] = row;
    }
    int previousCarsOnLeadLap = 0;
    for (int lap = 1; lap <= mostLaps; ++lap) {
        RaceChartColumn column;
        column.lap = lap;
        std::vector<std::pair<std::uint64_t, int>> entries;
        for (int d = 0; d < driverCount; ++d) {
            if (lapsOf(d) >= lap) entries.emplace_back(crossing(d, lap), d);
        }
        if (lap < mostLaps) {
            std::uint64_t leaderNext = kNoTime;
            for (int d = 0; d < driverCount; ++d) {
                if (lapsOf(d) >= lap + 1) leaderNext = std::min(leaderNext, crossing(d, lap + 1));
            }
            column.carsOnLeadLap =
                static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                               [&](const auto& entry) { return entry.first <= leaderNext; }));
        } else {
            // The last lap has no next one: the previous lap's count holds (a one-lap race: all).
            column.carsOnLeadLap = mostLaps == 1 ? static_cast<int>(entries.size()) : previousCarsOnLeadLap;
        }
        previousCarsOnLeadLap = column.carsOnLeadLap;
        if (column.carsOnLeadLap < driverCount) column.shadedFrom = column.carsOnLeadLap;
        column.rows = ranked(std::move(entries));

        std::vector<int> row(static_cast<std::size_t>(driverCount), -1);
        for (std::size_t k = 0; k < column.rows.size(); ++k)
            row[static_cast<std::size_t>(column.rows[k])] = static_cast<int>(k);
        for (int d = 0; d < driverCount; ++d) {
            const auto i = static_cast<std::size_t>(d);
            if (previousRow[i] >= 0 && row[i] >= 0) column.lines.push_back({d, previousRow[i], row[i]});
        }
        previousRow = std::move(row);
        chart.columns.push_back(std::move(column));
    }
    return chart;
}
