#include "racechart/RaceChartLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "replay/DriverTable.h"

namespace {

using namespace racechart;

constexpr std::uint64_t kNoTime = std::numeric_limits<std::uint64_t>::max();

// A driver's race crossing times: per lap the session time at which he completed it
// (slot 0 is the time before the line).
std::vector<std::vector<std::uint64_t>> crossingTimes(const DriverTable& drivers) {
    std::vector<std::vector<std::uint64_t>> times(drivers.driverCount);
    for (int driver = 0; driver < drivers.driverCount; ++driver) {
        std::uint64_t sum = 0;
        for (int lap = 0; lap <= drivers.lapCount(kRace, driver); ++lap) {
            sum += lapDuration(drivers.lapEntry(kRace, driver, lap));
            times[static_cast<std::size_t>(driver)].push_back(sum);
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

std::uint64_t bestQualifyingLap(const DriverTable& drivers, int driver) {
    std::uint64_t best = kNoTime;
    for (int lap = 1; lap <= drivers.lapCount(kQualifying, driver); ++lap) {
        const std::uint32_t entry = drivers.lapEntry(kQualifying, driver, lap);
        if (!(entry & kIncompleteLap)) best = std::min<std::uint64_t>(best, lapDuration(entry));
    }
    return best;
}

std::string rowLabel(const DriverTable& drivers, int driver, int row) {
    const int place = row + 1;
    return drivers.driverName(driver) + (place < 10 ? "   " : " ") + std::to_string(place);
}

}  // namespace

RaceChartLayout layoutRaceChart(const DriverTable& drivers) {
    RaceChartLayout chart;
    const int driverCount = drivers.driverCount;
    const auto times = crossingTimes(drivers);
    const auto lapsOf = [&](int driver) {
        return static_cast<int>(times[static_cast<std::size_t>(driver)].size()) - 1;
    };
    const auto crossing = [&](int driver, int lap) {
        return times[static_cast<std::size_t>(driver)][static_cast<std::size_t>(lap)];
    };
    int mostLaps = 0;
    for (int driver = 0; driver < driverCount; ++driver)
        mostLaps = std::max(mostLaps, lapsOf(driver));
    chart.laps = mostLaps;
    chart.drivers = driverCount;
    chart.width = kColumnWidth * (mostLaps + 1) + 218;
    chart.height = kRowHeight * driverCount + kTopMargin + 30;

    const bool qualifying = drivers.sessionPresent[kQualifying];
    chart.startQuestionMarks = !qualifying;
    std::vector<std::pair<std::uint64_t, int>> startEntries;
    for (int driver = 0; driver < driverCount; ++driver)
        startEntries.emplace_back(qualifying            ? bestQualifyingLap(drivers, driver)
                                  : lapsOf(driver) >= 1 ? crossing(driver, 1)
                                                        : kNoTime,
                                  driver);
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
        for (int driver = 0; driver < driverCount; ++driver) {
            if (lapsOf(driver) >= lap) entries.emplace_back(crossing(driver, lap), driver);
        }
        if (lap < mostLaps) {
            std::uint64_t leaderNext = kNoTime;
            for (int driver = 0; driver < driverCount; ++driver) {
                if (lapsOf(driver) >= lap + 1) leaderNext = std::min(leaderNext, crossing(driver, lap + 1));
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
        for (std::size_t position = 0; position < column.rows.size(); ++position)
            row[static_cast<std::size_t>(column.rows[position])] = static_cast<int>(position);
        for (int driver = 0; driver < driverCount; ++driver) {
            const auto index = static_cast<std::size_t>(driver);
            if (previousRow[index] >= 0 && row[index] >= 0)
                column.lines.push_back({driver, previousRow[index], row[index]});
        }
        previousRow = std::move(row);
        chart.columns.push_back(std::move(column));
    }
    return chart;
}
