#include "graphs/GearChanges.h"

#include <gtest/gtest.h>

#include "replay/LapTelemetry.h"

namespace {

// A lap from its gears, one sample each; revs 9000 and 100 km/h unless a test changes them, a
// metre (2000 units) a sample.
LapTelemetry lapOf(const std::vector<int>& gears) {
    LapTelemetry lap = LapTelemetry::blank(static_cast<int>(gears.size()));
    const std::size_t n = gears.size();
    lap.revs.assign(n, 9000);
    lap.speed.assign(n, 100);
    lap.lateralM.assign(n, 1);
    for (std::size_t k = 0; k < n; ++k) {
        lap.gear[k] = static_cast<std::int16_t>(gears[k]);
        lap.distance[k] = static_cast<std::uint32_t>(2000 * (k + 1));
        lap.distanceM[k] = static_cast<double>(k + 1);
    }
    return lap;
}

std::vector<int> repeated(std::initializer_list<std::pair<int, int>> runs) {
    std::vector<int> gears;
    for (const auto& [gear, count] : runs)
        gears.insert(gears.end(), static_cast<std::size_t>(count), gear);
    return gears;
}

TEST(GearChanges, TwoUpshiftsWithFiveNeutralSamplesEach) {
    const GearAnalysis analysis =
        analyseGearChanges(lapOf(repeated({{1, 4}, {0, 5}, {2, 4}, {0, 5}, {3, 4}})));
    EXPECT_EQ(analysis.changeCount, 2);
    ASSERT_EQ(analysis.rows.size(), 2u);
    EXPECT_EQ(analysis.rows[0], (GearChangeRow{"1: 1->2", "4", "9000", "0", "0", ".166"}));
    EXPECT_EQ(analysis.rows[1][0], "2: 2->3");
    EXPECT_EQ(analysis.rows[1][5], ".166");
    EXPECT_EQ(analysis.neutralUpshiftTime(), "0m 00.333s");
    EXPECT_EQ(analysis.neutralDownshiftTime(), "0m 00.000s");
    EXPECT_EQ(analysis.summary(), "Out of 2 upshifts, 0 was a speedshift.");
}

TEST(GearChanges, TheSameGearAgainCountsAsAnUpshiftIntoIt) {
    const GearAnalysis analysis = analyseGearChanges(lapOf(repeated({{3, 4}, {0, 2}, {3, 4}})));
    EXPECT_EQ(analysis.upshiftCount, 1);
    EXPECT_TRUE(analysis.upshifts[1].has_value());  // the 2->3 row: target gear 3
    EXPECT_FALSE(analysis.upshifts[0].has_value());
}

TEST(GearChanges, SpeedshiftsAreCountedAndDownshiftsAddNoStatistics) {
    LapTelemetry lap = lapOf(repeated({{2, 3}, {0, 3}, {3, 3}, {0, 3}, {4, 3}, {0, 3}, {3, 3}}));
    // Revs rising through the first two shifts: 9000 at the last sample in gear, more after.
    for (const int k : {3, 4, 5})
        lap.revs[static_cast<std::size_t>(k)] = 9500;
    for (const int k : {9, 10, 11})
        lap.revs[static_cast<std::size_t>(k)] = 9600;
    // The 4->3 downshift (samples 14 to 18) with revs and speed unlike any upshift's.
    for (std::size_t k = 12; k <= 20; ++k) {
        lap.revs[k] = k <= 14 ? 7000 : 6000;
        lap.speed[k] = k <= 14 ? 140 : 80;
    }
    LapTelemetry withoutDownshift = lap;
    for (std::size_t k = 15; k <= 20; ++k)
        withoutDownshift.gear[k] = 4;

    const GearAnalysis analysis = analyseGearChanges(lap);
    EXPECT_EQ(analysis.changeCount, 3);
    EXPECT_EQ(analysis.summary(), "Out of 2 upshifts, 2 were speedshifts.");
    EXPECT_EQ(analysis.neutralDownshiftSamples, 4);
    EXPECT_EQ(analysis.rows[2], (GearChangeRow{"3: 4->3", "15", "7000", "-1000", "-59", ".111"}));
    const GearAnalysis upshiftsAlone = analyseGearChanges(withoutDownshift);
    EXPECT_EQ(analysis.neutralUpshiftSamples, upshiftsAlone.neutralUpshiftSamples);
    for (std::size_t kind = 0; kind < analysis.upshifts.size(); ++kind) {
        SCOPED_TRACE(kind);
        ASSERT_EQ(analysis.upshifts[kind].has_value(), upshiftsAlone.upshifts[kind].has_value());
        if (!analysis.upshifts[kind]) continue;
        EXPECT_EQ(analysis.upshifts[kind]->startRevs, upshiftsAlone.upshifts[kind]->startRevs);
        EXPECT_EQ(analysis.upshifts[kind]->revsLost, upshiftsAlone.upshifts[kind]->revsLost);
        EXPECT_EQ(analysis.upshifts[kind]->speedLost, upshiftsAlone.upshifts[kind]->speedLost);
    }
    EXPECT_EQ(analysis.upshifts[1]->startRevs, 9000);  // 2->3, the kind a 4->3 would land in
}

TEST(GearChanges, MendsAtTheEdges) {
    // No neutral after a gear, a neutral run to the end, an empty lap and a gap in the record
    // inside gear 5 are no change.
    const GearAnalysis noNeutral = analyseGearChanges(lapOf(repeated({{0, 3}, {4, 20}})));
    EXPECT_EQ(noNeutral.changeCount, 0);
    EXPECT_EQ(noNeutral.summary(), "Out of 0 upshifts, 0 was a speedshift.");
    EXPECT_EQ(analyseGearChanges(lapOf(repeated({{5, 10}, {0, 3}}))).changeCount, 0);
    EXPECT_TRUE(analyseGearChanges(LapTelemetry{}).rows.empty());
    LapTelemetry gappy = lapOf(repeated({{5, 10}}));
    for (const int k : {3, 4, 5}) {
        gappy.gear[static_cast<std::size_t>(k)] = 0;
        gappy.distanceM[static_cast<std::size_t>(k)] = 0;
        gappy.lateralM[static_cast<std::size_t>(k)] = 0;
    }
    EXPECT_TRUE(analyseGearChanges(gappy).rows.empty());
    // A shift that gains speed makes a negative loss, averaged in signed arithmetic.
    LapTelemetry gaining = lapOf(repeated({{1, 3}, {0, 2}, {2, 3}}));
    for (std::size_t k = 5; k <= 7; ++k)
        gaining.speed[k] = 110;
    EXPECT_EQ(analyseGearChanges(gaining).upshifts[0]->speedLost, -9);  // trunc(100 + 0.5 - 110)
    EXPECT_EQ(analyseGearChanges(gaining).rows[0][4], "10");
}

TEST(GearChanges, TheSummarySaysWasUpToOneSpeedshiftAndWereAbove) {
    const struct {
        int upshifts, speedshifts;
        const char* summary;
    } cases[] = {{0, 0, "Out of 0 upshifts, 0 was a speedshift."},
                 {1, 1, "Out of 1 upshifts, 1 was a speedshift."},
                 {5, 2, "Out of 5 upshifts, 2 were speedshifts."}};
    for (const auto& c : cases) {
        GearAnalysis analysis;
        analysis.upshiftCount = c.upshifts;
        analysis.speedshiftCount = c.speedshifts;
        EXPECT_EQ(analysis.summary(), c.summary);
    }
}

TEST(GearChanges, NeutralTimesAreWrittenWithThreeDigits) {
    EXPECT_EQ(neutralTimeText(2), ".055");
    EXPECT_EQ(neutralTimeText(6), ".166");
    EXPECT_EQ(neutralTimeText(36), "1.000");
    EXPECT_EQ(neutralTimeText(0), ".000");
}

}  // namespace
