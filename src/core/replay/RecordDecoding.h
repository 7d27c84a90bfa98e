#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "replay/ReplayFormat.h"

// One car's state at one sample, raw as the telemetry records carry it.
struct TelemetrySample {
    std::uint32_t distance = 0;  // 0.5 mm units from the start/finish line
    std::int32_t lateral = 0;
    std::int16_t gear = 0;  // -1 reverse, 0 neutral, 1-6
    std::uint32_t revs = 0;
    std::int16_t orientation = 0;
    std::int32_t roll = 0;
    std::int32_t pitch = 0;
    std::int16_t steering = 0;
    std::uint32_t aux1 = 0;
    std::uint32_t aux2 = 0;
};

// The replay owner's car: the first 16 bytes of a type 1 payload (zeros for bytes it lacks).
TelemetrySample decodeOwnerState(std::span<const std::uint8_t> payload);

// Another car: one 16-byte entry of a type 3 record. Its driver id is byte 7.
TelemetrySample decodeCarState(std::span<const std::uint8_t> entry);
inline std::uint8_t carStateDriverId(std::span<const std::uint8_t> entry) {
    return entry.size() > 7 ? entry[7] : 0;
}
