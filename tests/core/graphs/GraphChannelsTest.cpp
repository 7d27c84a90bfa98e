#include "graphs/GraphChannels.h"

#include <gtest/gtest.h>

#include <utility>

#include "GraphLapFixture.h"

namespace {

LapTelemetry lapOfTenMetreSamples(int samples) {
    return madeUpLap(samples, [](int k) { return 10.0 * (k + 1); });
}

std::vector<double> ys(const std::vector<PlotPoint>& points) {
    std::vector<double> result;
    for (const PlotPoint& point : points)
        result.push_back(point.y);
    return result;
}

TEST(GraphChannels, EachChannelHasItsAxis) {
    const ChannelAxis speed = channelAxis(GraphChannel::Speed, false);
    EXPECT_EQ(speed.title, "Speed");
    EXPECT_EQ(speed.unit, "Kph");
    EXPECT_EQ(channelAxis(GraphChannel::Speed, true).unit, "Mph");
    EXPECT_EQ(channelAxis(GraphChannel::Speed, true).yHigh, 400);  // the range stays
    EXPECT_EQ(channelAxis(GraphChannel::Time, false).unit, "Seconds");
    const ChannelAxis gear = channelAxis(GraphChannel::Gear, false);
    EXPECT_EQ(std::pair(gear.yLow, gear.yHigh), std::pair(0.0, 6.0));
    const ChannelAxis revs = channelAxis(GraphChannel::Revs, false);
    EXPECT_EQ(revs.title + "/" + revs.unit, "Revs/RPM");
    const ChannelAxis slip = channelAxis(GraphChannel::SlipAngle, false);
    EXPECT_EQ(slip.title + "/" + slip.unit, "Degrees/Degrees");
    EXPECT_EQ(std::pair(slip.yLow, slip.yHigh), std::pair(-25.0, 25.0));
}

TEST(GraphChannels, TheTimeAndRevsAxesReachTheirPoints) {
    struct Case {
        GraphChannel channel;
        std::vector<double> ys;
        std::optional<double> top;
    };
    const Case cases[] = {
        {GraphChannel::Time, {1.5, 61.25, 30}, 30},  // the last point: the lap's end
        {GraphChannel::Revs, {5000, 11999, 8000}, 12000},
        {GraphChannel::Revs, {12000}, 12000},
        {GraphChannel::Revs, {12001}, 13000},
        {GraphChannel::Revs, {3200}, 4000},  // the channel's own 10000 still holds above it
        {GraphChannel::Revs, {}, std::nullopt},
        {GraphChannel::Speed, {480}, std::nullopt},
        {GraphChannel::Gear, {7}, std::nullopt},
    };
    for (const Case& c : cases) {
        std::vector<PlotPoint> points;
        for (const double y : c.ys)
            points.push_back({0, y});
        EXPECT_EQ(channelTop(c.channel, points), c.top) << channelKey(c.channel) << " " << c.ys.size();
    }
}

TEST(GraphChannels, SpeedInKphOrMphLeavesThreeSamplesAtTheEndAndTheOthersTwo) {
    const LapTelemetry lap = lapOfTenMetreSamples(10);
    const std::vector<PlotPoint> speed = channelPoints(lap, GraphChannel::Speed, false);
    EXPECT_EQ(ys(speed), (std::vector<double>{102, 103, 104, 105, 106, 107}));  // samples 1..6
    EXPECT_EQ(speed.front().x, 20);
    EXPECT_DOUBLE_EQ(channelPoints(lap, GraphChannel::Speed, true).front().y, 102 * 0.621);  // in mph
    const std::vector<PlotPoint> revs = channelPoints(lap, GraphChannel::Revs, false);
    EXPECT_EQ(revs.size(), 7u);  // samples 1..7
    EXPECT_EQ(revs.back().y, 5008);
    const std::vector<PlotPoint> time = channelPoints(lap, GraphChannel::Time, false);
    EXPECT_DOUBLE_EQ(time.front().y, 2.0 / 36);
    EXPECT_DOUBLE_EQ(time.back().y, 8.0 / 36);
    EXPECT_EQ(ys(channelPoints(lap, GraphChannel::SlipAngle, false)).front(), -3);
}

TEST(GraphChannels, NeutralAndSamplesNoRecordFilledAreLeftOut) {
    LapTelemetry lap = lapOfTenMetreSamples(20);
    dropSample(lap, 3);
    dropSample(lap, 4);
    std::vector<double> gears = ys(channelPoints(lap, GraphChannel::Gear, false));
    // Samples 1..17 without 3, 4 (dropped) and 6, 13 (neutral).
    EXPECT_EQ(gears, (std::vector<double>{2, 3, 6, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4}));
    for (const PlotPoint& point : channelPoints(lap, GraphChannel::Speed, false))
        EXPECT_NE(point.x, 0);
}

TEST(GraphChannels, ALapOfFiveSamplesOrFewerHasNoPoints) {
    EXPECT_TRUE(channelPoints(lapOfTenMetreSamples(5), GraphChannel::Revs, false).empty());
    EXPECT_EQ(channelPoints(lapOfTenMetreSamples(6), GraphChannel::Revs, false).size(), 3u);
    EXPECT_TRUE(channelPoints(LapTelemetry{}, GraphChannel::Speed, false).empty());  // never processed
}

TEST(GraphChannels, TheCommandLineNamesEachChannel) {
    for (const GraphChannel channel : {GraphChannel::Speed, GraphChannel::Time, GraphChannel::Gear,
                                       GraphChannel::Revs, GraphChannel::SlipAngle})
        EXPECT_EQ(channelFromKey(channelKey(channel)), channel);
    EXPECT_EQ(channelKey(GraphChannel::SlipAngle), "slip");
    EXPECT_FALSE(channelFromKey("Speed"));
}

}  // namespace
