#include "map/LapProgress.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "replay/LapTelemetry.h"

namespace {

constexpr double kUnrecorded = 0;                 // with a lateral offset of 0: a sample no record filled
constexpr std::nullopt_t kNoLine = std::nullopt;  // no finish line: the distance never falls back

// A processed lap of the given distances for samples 0, 1, ... (sample 0 before the start line),
// its finish line at `finish`.
LapTelemetry lapOf(const std::vector<double>& distances, std::optional<int> finish) {
    LapTelemetry lap = LapTelemetry::blank(static_cast<int>(distances.size()));
    for (std::size_t k = 0; k < distances.size(); ++k)
        lap.distanceM[k] = distances[k];
    lap.finishLineSample = finish;
    return lap;
}

// 8 m of track; the car crosses the finish line between samples 7 and 8.
const std::vector<double> kLap = {7.5, 0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 0.2, 1.2};

TEST(LapProgress, DistanceTravelledCountsOnPastTheLineAndHoldsOverAGap) {
    struct Case {
        const char* what;
        std::vector<double> distances;
        std::optional<int> finish;
        int sample;
        double trackLength;
        double travelled;
    };
    const Case cases[] = {
        {"inside the lap", kLap, 8, 7, 8, 6.5},
        {"past the finish line", kLap, 8, 8, 8, 8.2},
        {"further past it", kLap, 8, 9, 8, 9.2},
        {"beyond the last sample", kLap, 8, 49, 8, 9.2},
        {"no track length: from the distance reached", kLap, 8, 8, 0, 6.7},
        {"a gap holds the last distance", {7.5, 0.5, 1.5, kUnrecorded, kUnrecorded, 4.5}, kNoLine, 4, 8, 1.5},
        {"a gap over the line", {7.5, 0.5, 6.5, kUnrecorded, 0.2}, 4, 3, 8, 6.5},
        {"after a gap over the line", {7.5, 0.5, 6.5, kUnrecorded, 0.2}, 4, 4, 8, 8.2},
        {"before the first recorded sample", {7.5, kUnrecorded, 1.5}, kNoLine, 1, 8, 0},
        {"sample 0 lies before the start line", kLap, 8, 0, 8, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(distanceTravelled(lapOf(c.distances, c.finish), c.sample, c.trackLength),
                         c.travelled)
            << c.what;
}

}  // namespace
