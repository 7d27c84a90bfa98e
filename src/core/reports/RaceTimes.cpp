#include "reports/RaceTimes.h"

#include <algorithm>

RaceTimes::RaceTimes(const DriverTable& drivers)
    : table_(drivers),
      drivers_(std::min<int>(drivers.driverCount, kMaxDrivers)),
      cumulative_(static_cast<std::size_t>(drivers_) * kLapSlots) {
    for (int driver = 0; driver < drivers_; ++driver) {
        mostLaps_ = std::max(mostLaps_, laps(driver));
        std::uint32_t sum = 0;
        for (int slot = 0; slot < kLapSlots; ++slot) {
            sum += lapDuration(entry(driver, slot));
            cumulative_[static_cast<std::size_t>(driver) * kLapSlots + static_cast<std::size_t>(slot)] = sum;
        }
    }
}
