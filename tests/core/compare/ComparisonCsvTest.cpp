#include "compare/ComparisonCsv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "compare/LapComparison.h"

namespace {

TEST(ComparisonCsv, NamesTheLapsAndLeavesEmptyWhereALapDoesNotReach) {
    LapComparison comparison;
    comparison.step = 2.5;
    comparison.laps = {
        {76.236, 0, {{0, 0, 0, 150.25}, {2.5, 0.05, 0, 151}, {5, 0.1, 0, 152.04}}},
        {76.009, -0.227, {{0, 0, 0, 149}, {2.5, 0.04987, -0.01013, 150}}},
    };
    std::ostringstream out;
    writeComparisonCsv(out, comparison, {"M Tanaka \xB7 Race lap 2 \xB7 1m 16.236s", "Ren\xE9 \"R\", Lap"});
    EXPECT_EQ(out.str(),
              "Distance (m),"
              "M Tanaka \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.236s time (s),"
              "M Tanaka \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.236s delta (s),"
              "M Tanaka \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.236s speed (km/h),"
              "\"Ren\xC3\xA9 \"\"R\"\", Lap time (s)\",\"Ren\xC3\xA9 \"\"R\"\", Lap delta (s)\","
              "\"Ren\xC3\xA9 \"\"R\"\", Lap speed (km/h)\"\n"
              "0,0.0000,0.0000,150.2,0.0000,0.0000,149.0\n"
              "2.5,0.0500,0.0000,151.0,0.0499,-0.0101,150.0\n"
              "5,0.1000,0.0000,152.0,,,\n");
}

TEST(ComparisonCsv, AValueThatRoundsToZeroHasNoSign) {
    LapComparison comparison;
    comparison.laps = {
        {76.236, 0, {{0, 0, 0, 150}, {2.5, 0.05, 0, 151}}},
        {76.236, 0, {{0, -0.0, -0.0, -0.0}, {2.5, 0.04996, -0.00004, -0.04}}},
    };
    std::ostringstream out;
    writeComparisonCsv(out, comparison, {"A", "B"});
    EXPECT_EQ(out.str().substr(out.str().find('\n') + 1),
              "0,0.0000,0.0000,150.0,0.0000,0.0000,0.0\n"
              "2.5,0.0500,0.0000,151.0,0.0500,0.0000,0.0\n");
}

}  // namespace
