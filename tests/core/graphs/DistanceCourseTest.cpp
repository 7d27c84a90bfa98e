#include "graphs/DistanceCourse.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "replay/LapTelemetry.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct CourseCase {
    const char* name;
    std::vector<double> distances;  // one per sample, each recorded
    std::vector<double> course;     // the distances the course keeps
};

TEST(DistanceCourse, KeepsOnlyFiniteDistancesThatNeverGoBack) {
    const CourseCase cases[] = {
        {"going on", {1, 2, 2, 3}, {1, 2, 2, 3}},
        {"thrown back", {1, 5, 2, 6}, {1, 5, 6}},
        {"not a number first", {kNan, 1, 2, 0.5, 3}, {1, 2, 3}},
        {"not a number between", {1, kNan, 0.5, 2}, {1, 2}},
        {"endless", {1, kInfinity, 2, 3}, {1, 2, 3}},
        {"endless back", {-kInfinity, 1, 2}, {1, 2}},
    };
    for (const CourseCase& courseCase : cases) {
        LapTelemetry lap = LapTelemetry::blank(static_cast<int>(courseCase.distances.size()));
        lap.distanceM = courseCase.distances;
        lap.lateralM.assign(courseCase.distances.size(), 1);
        std::vector<double> kept;
        for (const CoursePoint& point : courseAlongDistance(lap, 0, lap.sampleCount))
            kept.push_back(point.distance);
        EXPECT_EQ(kept, courseCase.course) << courseCase.name;
    }
}

}  // namespace
