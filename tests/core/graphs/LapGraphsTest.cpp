#include "graphs/LapGraphs.h"

#include <gtest/gtest.h>

#include "GraphLapFixture.h"

namespace {

class LapGraphsTest : public testing::Test {
protected:
    LapGraphsTest()
        : fast_(madeUpLap(2003, [](int k) { return 1.0 * (k - 1); })),
          slow_(madeUpLap(2226, [](int k) { return 0.9 * (k - 1); })),
          third_(madeUpLap(2100, [](int k) { return 0.95 * (k - 1); })),
          graphs_(
              plot_, [this](const PlotRange& range) { views_.push_back(range); },
              {{&fast_, 55500, 0xFF0000}, {&slow_, 61700, 0x0000FF}, {&third_, 58300, 0x00FB38}}, 0) {}

    int curves() const { return plot_.curveCount(); }
    // Speed of the first two laps with their difference shown.
    void showFirstTwoWithDifference() {
        graphs_.selectChannel(GraphChannel::Speed, false);
        graphs_.setLapChecked(0, true);
        graphs_.setLapChecked(1, true);
        graphs_.setDifferenceChecked(true);
    }

    LapTelemetry fast_, slow_, third_;
    PlotModel plot_;
    std::vector<PlotRange> views_;
    LapGraphs graphs_;
};

TEST_F(LapGraphsTest, ACheckedLapGetsItsCurveAndTheViewFollows) {
    EXPECT_TRUE(graphs_.selectChannel(GraphChannel::Speed, false));
    EXPECT_FALSE(graphs_.selectChannel(GraphChannel::Speed, true));
    EXPECT_EQ(plot_.axis(false).label(), "Speed, Kph");
    graphs_.setLapChecked(1, true);
    ASSERT_EQ(curves(), 1);
    const PlotCurve* curve = plot_.curve(graphs_.curveOf(1));
    EXPECT_EQ(curve->name, "New graph - 2");
    EXPECT_EQ(curve->colour, 0x0000FFu);
    EXPECT_EQ(curve->points.size(), 2226u - 4);  // samples 1 .. N-4
    ASSERT_FALSE(views_.empty());
    EXPECT_EQ(views_.back(), (PlotRange{0, curve->points.maxX(), 0, 400}));
    EXPECT_FALSE(graphs_.differenceAvailable());

    graphs_.setLapChecked(1, false);
    EXPECT_EQ(curves(), 0);
    EXPECT_EQ(graphs_.view().x2, views_.back().x2);  // removing a lap never shrinks the range
}

TEST_F(LapGraphsTest, TwoLapsMakeTheDifferenceAThirdTakesItAwayAndLeavingTwoBringsItBack) {
    graphs_.selectChannel(GraphChannel::Speed, false);
    graphs_.setLapChecked(0, true);
    graphs_.setLapChecked(1, true);
    EXPECT_TRUE(graphs_.differenceAvailable());
    EXPECT_FALSE(graphs_.differenceShown());
    graphs_.setDifferenceChecked(true);
    ASSERT_TRUE(graphs_.differenceShown());
    EXPECT_EQ(curves(), 4);
    EXPECT_EQ(graphs_.firstLap(), 0);
    const PlotCurve* zero = plot_.curve(graphs_.zeroLineCurve());
    EXPECT_EQ(zero->points.minY(), 200);
    EXPECT_EQ(zero->points.maxY(), 200);
    EXPECT_EQ(zero->name, "New graph - 1");
    EXPECT_EQ(graphs_.texts().maxBehind, "NA");
    EXPECT_EQ(graphs_.texts().atFinishLine, "-0m 06.200s");

    graphs_.setLapChecked(2, true);
    EXPECT_FALSE(graphs_.differenceAvailable());
    EXPECT_FALSE(graphs_.differenceShown());
    EXPECT_EQ(curves(), 3);
    EXPECT_EQ(graphs_.texts().atFinishLine, "");
    EXPECT_EQ(graphs_.firstLap(), std::nullopt);

    graphs_.setLapChecked(0, false);  // two again, the difference still asked for: slow against third
    ASSERT_TRUE(graphs_.differenceShown());
    EXPECT_EQ(graphs_.firstLap(), 1);
    EXPECT_EQ(graphs_.texts().atFinishLine, "+0m 03.400s");
    EXPECT_EQ(curves(), 4);

    graphs_.setDifferenceChecked(false);
    EXPECT_EQ(curves(), 2);
    EXPECT_EQ(graphs_.firstLap(), std::nullopt);
    EXPECT_EQ(graphs_.texts().spread, "");
}

TEST_F(LapGraphsTest, AnotherChannelRedrawsEveryCurveInItsRange) {
    showFirstTwoWithDifference();
    graphs_.selectChannel(GraphChannel::Time, false);
    EXPECT_EQ(plot_.axis(false).label(), "Time, Seconds");
    EXPECT_EQ(curves(), 4);
    EXPECT_DOUBLE_EQ(graphs_.view().y2, 2224.0 / 36);  // the longer lap's last time sample
    const PlotCurve* zero = plot_.curve(graphs_.zeroLineCurve());
    EXPECT_DOUBLE_EQ(zero->points.maxY(), 2224.0 / 36 / 2);

    graphs_.setLapChecked(1, false);
    EXPECT_DOUBLE_EQ(graphs_.view().y2, 2224.0 / 36);  // never shrinks
    EXPECT_EQ(curves(), 1);
}

TEST_F(LapGraphsTest, TheRevsAxisGrowsToTheHighestRevsShownAndNeverShrinks) {
    slow_.revs[1000] = 11500;
    graphs_.selectChannel(GraphChannel::Revs, false);
    graphs_.setLapChecked(0, true);  // 7001 at most: the axis keeps its 10000
    EXPECT_EQ(graphs_.view().y1, 400);
    EXPECT_EQ(graphs_.view().y2, 10000);
    graphs_.setLapChecked(1, true);
    EXPECT_EQ(views_.back().y2, 12000);
    graphs_.setLapChecked(1, false);
    EXPECT_EQ(graphs_.view().y2, 12000);
}

TEST_F(LapGraphsTest, TheGapByDistanceReplacesTheGapBySamples) {
    showFirstTwoWithDifference();
    const std::size_t bySamples = plot_.curve(graphs_.differenceCurve())->points.size();
    graphs_.setDifferenceKind(DifferenceKind::ByDistance);
    EXPECT_EQ(curves(), 4);
    EXPECT_EQ(bySamples, 500u);
    EXPECT_EQ(plot_.curve(graphs_.differenceCurve())->points.size(), 2001u);
    EXPECT_EQ(graphs_.texts().maxAhead, "-0m 06.172s");
}

}  // namespace
