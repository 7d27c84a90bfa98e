#include "graphs/TimeDifference.h"

#include <gtest/gtest.h>

#include <tuple>

#include "GraphLapFixture.h"

namespace {

// Laps of 2000 m: A covers a metre a sample, B 0.9 m, so A draws ahead all the way.
const LapTelemetry kFast = madeUpLap(2003, [](int k) { return 1.0 * (k - 1); });
const LapTelemetry kSlow = madeUpLap(2226, [](int k) { return 0.9 * (k - 1); });

TEST(TimeDifference, IdenticalLapsHaveNoGapAndLieOnTheCentreLine) {
    const TimeDifference same = timeDifferenceBySamples({&kFast, 55500}, {&kFast, 55500}, 0, 400);
    EXPECT_EQ(std::tie(same.texts.atFinishLine, same.texts.maxAhead, same.texts.maxBehind, same.texts.spread),
              std::tuple("-0m 00.000s", "NA", "NA", "NA"));
    ASSERT_EQ(same.curve.size(), 500u);
    for (const PlotPoint& point : same.curve)
        EXPECT_EQ(point.y, 200);
    EXPECT_EQ(std::tuple(same.zeroLine.front().x, same.zeroLine.front().y), std::tuple(0, 200));
    EXPECT_EQ(same.zeroLine.back().x, same.curve.back().x);
}

TEST(TimeDifference, ALapAlwaysAheadIsNeverBehind) {
    const TimeDifference gap = timeDifferenceBySamples({&kFast, 55500}, {&kSlow, 61700}, 0, 400);
    EXPECT_EQ(gap.texts.atFinishLine, "-0m 06.200s");
    EXPECT_EQ(gap.texts.maxBehind, "NA");
    EXPECT_EQ(gap.texts.maxAhead.substr(0, 6), "-0m 06");  // about 222 samples of 27.8 ms
    EXPECT_EQ("-" + gap.texts.spread, gap.texts.maxAhead);
    // The largest lead fills 70 % of the half height below the centre; the last point, from the lap
    // times, may go further.
    double lowest = 400;
    for (std::size_t k = 0; k + 1 < gap.curve.size(); ++k)
        lowest = std::min(lowest, gap.curve[k].y);
    EXPECT_NEAR(lowest, 200 - 140, 1e-9);
    // 0.998 of B's 1999.8 m, in the scan's units of 0.50038 mm.
    EXPECT_NEAR(gap.curve[498].x, 0.998 * 1999.8 * 1.00076, 0.1);

    const TimeDifference behind = timeDifferenceBySamples({&kSlow, 61700}, {&kFast, 55500}, 0, 400);
    EXPECT_EQ(behind.texts.atFinishLine, "+0m 06.200s");
    EXPECT_EQ(behind.texts.maxAhead, "NA");
    EXPECT_EQ(behind.texts.maxBehind, "+" + gap.texts.maxAhead.substr(1));
}

TEST(TimeDifference, TheSpreadIsTheWholeSpanCutToMilliseconds) {
    // A a sample ahead of B (27.78 ms) for 999 m, then standing for 9 samples and 8 behind
    // (222.22 ms): a spread of 9 samples, 250 ms, where 222 + 27 would make 249.
    const LapTelemetry aheadThenBehind =
        madeUpLap(2012, [](int k) { return k <= 999 ? 1.0 * k : std::max(999.0, k - 9.0); });
    const DifferenceLap a{&aheadThenBehind, 55861}, b{&kFast, 55611};
    for (const TimeDifference& gap :
         {timeDifferenceBySamples(a, b, 0, 400), timeDifferenceByDistance(a, b, 0, 400)}) {
        EXPECT_EQ(std::tie(gap.texts.maxAhead, gap.texts.maxBehind, gap.texts.spread),
                  std::tuple("-0m 00.027s", "+0m 00.222s", "0m 00.250s"));
    }
}

TEST(TimeDifference, ShortLapsHoldTheirLastDifferenceAndTinyOnesHaveNone) {
    const LapTelemetry shortA = madeUpLap(100, [](int k) { return 10.0 * (k - 1); });
    const LapTelemetry shortB = madeUpLap(120, [](int k) { return 8.0 * (k - 1); });
    const TimeDifference held = timeDifferenceBySamples({&shortA, 3000}, {&shortB, 3600}, 0, 400);
    ASSERT_EQ(held.curve.size(), 500u);
    EXPECT_EQ(held.curve[300].y, held.curve[498].y);

    const LapTelemetry tiny = madeUpLap(5, [](int k) { return 1.0 * (k + 1); });
    for (const TimeDifference& none : {timeDifferenceBySamples({&tiny, 1}, {&kFast, 2}, 0, 400),
                                       timeDifferenceByDistance({&kFast, 1}, {&tiny, 2}, 0, 400)}) {
        EXPECT_TRUE(none.curve.empty());
        EXPECT_TRUE(none.zeroLine.empty());
        EXPECT_EQ(none.texts.atFinishLine, "NA");
        EXPECT_EQ(none.texts.spread, "NA");
    }
}

TEST(TimeDifference, ByDistanceTheGapIsTheTimeBetweenTheLapsAtEachMetre) {
    const TimeDifference gap = timeDifferenceByDistance({&kFast, 55500}, {&kSlow, 61700}, 0, 6);
    ASSERT_EQ(gap.curve.size(), 2001u);  // 0 .. 2000 m
    EXPECT_EQ(gap.curve[1000].x, 1000);
    // At s metres A is s/36 s in, B s/0.9/36 s: a lead growing to 6.17 s at 2000 m, drawn at
    // 70 % of the half height (3) below the centre.
    EXPECT_NEAR(gap.curve.back().y, 3 - 2.1, 1e-9);
    EXPECT_NEAR(gap.curve[1000].y, 3 - 1.05, 1e-3);
    EXPECT_EQ(std::tie(gap.texts.maxBehind, gap.texts.maxAhead, gap.texts.atFinishLine),
              std::tuple("NA", "-0m 06.172s", "-0m 06.200s"));
}

TEST(TimeDifference, ByDistanceSamplesNoRecordFilledAreBridged) {
    LapTelemetry gappy = kFast;
    for (int k = 499; k < 599; ++k)
        dropSample(gappy, k);
    const TimeDifference gap = timeDifferenceByDistance({&gappy, 55500}, {&kFast, 55500}, 0, 400);
    for (const PlotPoint& point : gap.curve)
        EXPECT_NEAR(point.y, 200, 1e-9);  // the same times, read across the gap
    EXPECT_EQ(gap.texts.spread, "NA");
}

}  // namespace
