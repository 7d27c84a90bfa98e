#include "map/LapProgress.h"

#include <gtest/gtest.h>

#include <vector>

#include "replay/LapTelemetry.h"

namespace {

constexpr double kUnrecorded = 0;  // with a lateral offset of 0: a sample no record filled

// A processed lap of the given distances for samples 1, 2, ...: sample 1 before the start line.
LapTelemetry lapOf(const std::vector<double>& distances) {
    LapTelemetry lap = LapTelemetry::blank(static_cast<int>(distances.size()));
    for (std::size_t k = 0; k < distances.size(); ++k)
        lap.distanceM[k + 1] = distances[k];
    return lap;
}

// 8 m of track; the car crosses the finish line between samples 8 and 9.
const std::vector<double> kLap = {7.5, 0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 0.2, 1.2};

TEST(LapProgress, TheFinishLineIsWhereTheDistanceLastFallsBack) {
    struct Case {
        const char* what;
        std::vector<double> distances;
        std::optional<int> finish;
    };
    const Case cases[] = {
        {"a whole lap", kLap, 9},
        {"the first sample past the line unrecorded", {7.5, 0.5, 1.5, 2.5, kUnrecorded, 1.2}, 6},
        {"the last sample unrecorded", {7.5, 0.5, 1.5, 2.5, 0.2, kUnrecorded}, 5},
        {"a car standing still before the line", {7.5, 0.5, 1.5, 1.5, 2.5, 0.2, 1.2}, 6},
        {"never falls back after the start", {7.5, 0.5, 1.5, 2.5}, std::nullopt},
        {"nothing recorded", {kUnrecorded, kUnrecorded, kUnrecorded}, std::nullopt},
        {"no samples", {}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(finishLineSample(lapOf(c.distances)), c.finish) << c.what;
}

TEST(LapProgress, DistanceTravelledCountsOnPastTheLineAndHoldsOverAGap) {
    struct Case {
        const char* what;
        std::vector<double> distances;
        int sample;
        double trackLength;
        double travelled;
    };
    const Case cases[] = {
        {"inside the lap", kLap, 8, 8, 6.5},
        {"past the finish line", kLap, 9, 8, 8.2},
        {"further past it", kLap, 10, 8, 9.2},
        {"beyond the last sample", kLap, 50, 8, 9.2},
        {"no track length: from the distance reached", kLap, 9, 0, 6.7},
        {"a gap holds the last distance", {7.5, 0.5, 1.5, kUnrecorded, kUnrecorded, 4.5}, 5, 8, 1.5},
        {"a gap over the line", {7.5, 0.5, 6.5, kUnrecorded, 0.2}, 4, 8, 6.5},
        {"after a gap over the line", {7.5, 0.5, 6.5, kUnrecorded, 0.2}, 5, 8, 8.2},
        {"before the first recorded sample", {7.5, kUnrecorded, 1.5}, 2, 8, 0},
        {"sample 1 lies before the start line", kLap, 1, 8, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(distanceTravelled(lapOf(c.distances), c.sample, c.trackLength), c.travelled)
            << c.what;
}

}  // namespace
