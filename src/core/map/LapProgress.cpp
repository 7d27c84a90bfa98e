#include "map/LapProgress.h"

#include <algorithm>
#include <optional>

#include "replay/LapTelemetry.h"

namespace {

// The last recorded sample from 1 to `sample`.
std::optional<int> lastRecorded(const LapTelemetry& lap, int sample) {
    for (int candidate = std::min(sample, lap.sampleCount - 1); candidate >= 1; --candidate) {
        if (lap.recorded(candidate)) return candidate;
    }
    return std::nullopt;
}

}  // namespace

double distanceTravelled(const LapTelemetry& lap, int sample, double trackLength) {
    const std::optional<int> known = lastRecorded(lap, sample);
    if (!known) return 0;
    const double distance = lap.distanceM[static_cast<std::size_t>(*known)];
    const std::optional<int> finish = lap.finishLineSample;
    if (!finish || *known < *finish) return distance;
    const std::optional<int> beforeLine = lastRecorded(lap, *finish - 1);
    const double reached = beforeLine ? lap.distanceM[static_cast<std::size_t>(*beforeLine)] : 0;
    return std::max(trackLength, reached) + distance;
}
