#pragma once

#include <functional>

#include "replay/LapTelemetry.h"

// A processed lap made up for graph tests: sample 0 just before the line, samples 1 .. N-2 on the
// lap, sample N-1 just after; `metresAt(k)` gives the distance of sample k on the lap, and speed,
// gear and revs follow from the sample's place.
inline LapTelemetry madeUpLap(int samples, const std::function<double(int)>& metresAt,
                              double trackLength = 5000) {
    LapTelemetry lap = LapTelemetry::blank(samples);
    for (int k = 0; k < samples; ++k) {
        const double metres = k == 0 ? trackLength - 1 : k == samples - 1 ? 1 : metresAt(k);
        const auto i = static_cast<std::size_t>(k);
        lap.distanceM[i] = metres;
        lap.distance[i] = static_cast<std::uint32_t>(metres / 0.0005);
        lap.lateralM[i] = 1.5;
        lap.speed[i] = 101 + k;
        lap.gear[i] = static_cast<std::int16_t>((k + 1) % 7);
        lap.revs[i] = 5001 + static_cast<std::uint32_t>(k);
        lap.slip[i] = static_cast<std::int16_t>((k + 1) % 11 - 5);
    }
    return lap;
}

// The same lap with sample k left as no record filled it.
inline void dropSample(LapTelemetry& lap, int k) {
    const auto i = static_cast<std::size_t>(k);
    lap.distance[i] = 0;
    lap.distanceM[i] = 0;
    lap.lateralM[i] = 0;
}
