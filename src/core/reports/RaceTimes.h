#pragma once

#include <cstdint>
#include <vector>

#include "replay/DriverTable.h"

// The race's lap table with each driver's cumulative race time at the end of every lap slot: the
// time before the start/finish line plus the laps up to it. The race report, the lap-by-lap report
// and the flag report all measure the race by it. Slots past a driver's laps add as they stand.
class RaceTimes {
public:
    explicit RaceTimes(const DriverTable& drivers);

    int drivers() const { return drivers_; }
    int mostLaps() const { return mostLaps_; }  // the most laps any driver has
    int laps(int driver) const { return table_.lapCount(kRace, driver); }
    std::uint32_t entry(int driver, int slot) const { return table_.lapEntry(kRace, driver, slot); }
    std::uint32_t at(int driver, int slot) const {
        return cumulative_[static_cast<std::size_t>(driver) * kLapSlots + static_cast<std::size_t>(slot)];
    }

private:
    const DriverTable& table_;
    int drivers_;
    int mostLaps_ = 0;
    std::vector<std::uint32_t> cumulative_;  // [driver][slot]
};
