#include "replay/LapTimeCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "common/TimeText.h"
#include "replay/LapTelemetry.h"

namespace {

constexpr const char* kLapDataMissing =
    "VxRA has detected that some data seems to be missing at the start/end of this lap\nThis is often caused "
    "by "
    "false (online) laptimes in the replay.\nThe replay laptime for this lap is probably incorrect.";
constexpr const char* kLapTimeMightBeWrong = "VxRA has detected the laptime for this lap might be incorrect";

}  // namespace

std::optional<LapTimeCheck> checkLapTime(const LapTelemetry& lap, double trackLengthMetres) {
    const int sampleCount = lap.sampleCount;
    if (trackLengthMetres <= 0 || lap.stepAtStart == 0 || lap.stepAtEnd == 0 || sampleCount < 5)
        return std::nullopt;
    const double wholeStepSeconds = (sampleCount - 4) / 36.0;
    const double firstStepSeconds = lap.distance[1] / static_cast<double>(lap.stepAtStart) / 36;
    // Signed: the last sample before the line may lie beyond the official length.
    const std::int64_t distanceToLine =
        static_cast<std::int64_t>(trackLengthMetres * 2000) - lap.distance[sampleCount - 3];
    const std::int64_t toLine = std::llabs(distanceToLine) > lap.stepAtEnd ? lap.stepAtEnd : distanceToLine;
    const double lastStepSeconds = static_cast<double>(toLine) / lap.stepAtEnd / 36;
    LapTimeCheck check;
    check.calculated = static_cast<int>((wholeStepSeconds + firstStepSeconds + lastStepSeconds) * 1000);
    check.dataMissing =
        check.calculated != 0 && (lap.distance[2] > 3 * static_cast<std::int64_t>(lap.stepAtStart) ||
                                  std::llabs(distanceToLine) > 3 * static_cast<std::int64_t>(lap.stepAtEnd));
    return check;
}

std::optional<std::string> lapTimeCheckMessage(const LapTelemetry& lap, std::uint32_t stored,
                                               double trackLengthMetres) {
    constexpr int kTolerance = 30;  // ms
    const auto check = checkLapTime(lap, trackLengthMetres);
    if (!check || check->calculated == 0) return std::nullopt;
    if (check->dataMissing) return kLapDataMissing;
    if (std::abs(check->calculated - static_cast<int>(stored)) <= kTolerance) return std::nullopt;
    return std::string(kLapTimeMightBeWrong) + "\n\nLaptime stored in replay: " + formatElapsedTime(stored) +
           "\nLaptime calculated by VxRA: " +
           formatElapsedTime(static_cast<std::uint32_t>(std::max(0, check->calculated)));
}
