#include "compare/GainColours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "replay/LapTelemetry.h"

namespace {

constexpr Rgb kGrey{80, 80, 80};
constexpr Rgb kGreen{0, 170, 0};
constexpr Rgb kRed{220, 0, 0};
constexpr Rgb kOwn{255, 0, 255};

// A lap compared every metre from 0 to 100 m whose delta (s) stays level to 20 m, falls 3.5 ms per
// 10 m to 40 m, rises 20 ms per 10 m to 60 m, 1 ms per 10 m to 80 m and 3.5 ms per 10 m to 100 m.
ComparedLap madeUpLap() {
    struct Stretch {
        double to;
        double ratePer10m;
    };
    constexpr Stretch kStretches[] = {{20, 0}, {40, -0.0035}, {60, 0.020}, {80, 0.001}, {100, 0.0035}};
    ComparedLap lap{};
    double delta = 0;
    for (int metre = 0; metre <= 100; ++metre) {
        lap.points.push_back({static_cast<double>(metre), metre * 0.02, delta, 150});
        for (const Stretch& stretch : kStretches) {
            if (metre < stretch.to) {
                delta += stretch.ratePer10m / 10;
                break;
            }
        }
    }
    return lap;
}

TEST(GainColoursTest, GreyWithinTwoMillisecondsPer10mThenFadingToFullGreenOrRed) {
    const struct {
        double rate;
        Rgb colour;
    } cases[] = {
        {0, kGrey},
        {0.002, kGrey},
        {-0.002, kGrey},
        {0.0035, {150, 40, 40}},   // half way from grey to red
        {-0.0035, {40, 125, 40}},  // half way to green
        {kSaturatedGainRate, kRed},
        {0.05, kRed},
        {-kSaturatedGainRate, kGreen},
        {-1, kGreen},
        {std::numeric_limits<double>::infinity(), kRed},
        {std::numeric_limits<double>::quiet_NaN(), kGrey},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gainColour(c.rate), c.colour) << "rate " << c.rate;
}

TEST(GainColoursTest, TheRateIsTheDeltaChangeOverThe10mAroundADistance) {
    const ComparedLap lap = madeUpLap();
    const struct {
        double distance;
        std::optional<double> rate;
    } cases[] = {
        {10, 0},
        {30, -0.0035},
        {50, 0.020},
        {70, 0.001},
        {90, 0.0035},
        {20, -0.00175},  // half the window level, half falling
        {0, 0},          // the window kept inside the points
        {100, 0.0035},
        {-0.5, std::nullopt},  // outside the compared distance
        {100.5, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<double> rate = deltaRate(lap, c.distance);
        ASSERT_EQ(rate.has_value(), c.rate.has_value()) << "at " << c.distance;
        if (rate) {
            EXPECT_NEAR(*rate, *c.rate, 1e-9) << "at " << c.distance;
        }
    }
    EXPECT_FALSE(deltaRate(ComparedLap{}, 0)) << "no points";
    ComparedLap onePoint{};
    onePoint.points.push_back({5, 1, 0.1, 100});
    EXPECT_FALSE(deltaRate(onePoint, 5)) << "points spanning no distance";
}

TEST(GainColoursTest, EachSampleInsideTheComparedDistanceTakesItsColourTheOthersKeepTheLapsOwn) {
    LapTelemetry telemetry = LapTelemetry::blank(9);
    // Sample 0 lies before the start line, 6 is a gap no record filled, 7 is past the finish line
    // and 8 the lap's last sample.
    const double distances[] = {99, 30, 50, 70, 90, 150, 0, 1, 2};
    for (std::size_t sample = 0; sample < telemetry.distanceM.size(); ++sample)
        telemetry.distanceM[sample] = distances[sample];
    telemetry.finishLineSample = 7;

    const std::vector<Rgb> expected = {kOwn, {40, 125, 40}, kRed, kGrey, {150, 40, 40},
                                       kOwn, kOwn,          kOwn, kOwn};
    EXPECT_EQ(sampleGainColours(madeUpLap(), telemetry, kOwn), expected);

    telemetry.distanceM.resize(3);
    EXPECT_EQ(sampleGainColours(madeUpLap(), telemetry, kOwn), std::vector<Rgb>({kOwn, {40, 125, 40}, kOwn}))
        << "a channel shorter than the sample count";
}

TEST(GainColoursTest, TheLegendStatesTheNeutralBandAndTheSaturation) {
    EXPECT_EQ(gainLegendText(), "Green gains, red loses more than 2 ms per 10 m (full colour from 5 ms)");
}

}  // namespace
