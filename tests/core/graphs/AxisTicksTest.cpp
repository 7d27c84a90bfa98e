#include "graphs/AxisTicks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The tick values scaled to the exponent, one decimal each, a space between.
std::string labels(const AxisTicks& ticks) {
    std::string result;
    for (const double value : ticks.values) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", scaledToExponent(value, ticks.exponent));
        result += (result.empty() ? "" : " ") + std::string(text);
    }
    return result;
}

TEST(ValueMap, PixelsAreTruncatedTowardZero) {
    const ValueMap map{0, 10, 0, 1};
    EXPECT_EQ(map.toPixel(0.55), 5);
    EXPECT_EQ(map.toPixel(-0.15), -1);
    EXPECT_EQ((ValueMap{10, 0, 0, 1}.toPixel(0.55)), 4);  // 4.5
    EXPECT_DOUBLE_EQ(map.toValue(5), 0.5);
    const ValueMap yMap{200, 0, -25, 25};  // larger values higher up
    EXPECT_EQ(yMap.toPixel(25), 0);
    EXPECT_EQ(yMap.toPixel(0), 100);
    EXPECT_DOUBLE_EQ(yMap.toValue(200), -25);
}

TEST(ValueMap, EqualEndsMapEverythingToTheStart) {
    EXPECT_EQ((ValueMap{3, 3, 0, 1}.toPixel(0.7)), 3);
    EXPECT_DOUBLE_EQ((ValueMap{3, 3, 0, 1}.factor()), 0);
    EXPECT_DOUBLE_EQ((ValueMap{3, 3, 4, 8}.toValue(50)), 4);
    EXPECT_EQ((ValueMap{3, 10, 2, 2}.toPixel(9)), 3);
    EXPECT_DOUBLE_EQ((ValueMap{3, 10, 2, 2}.toValue(9)), 2);
    EXPECT_EQ((ValueMap{0, 10, 0, 5e-324}.toPixel(1)), 0);  // a factor that underflows to 0
}

TEST(ValueMap, ValuesOutOfReachAreHeldAndNaNGoesToTheStart) {
    const ValueMap map{5, 105, 0, 1};
    EXPECT_EQ(map.toPixel(kNaN), 5);
    EXPECT_EQ(map.toPixel(1e300), ValueMap::kPixelLimit);
    EXPECT_EQ(map.toPixel(-kInf), -ValueMap::kPixelLimit);
    EXPECT_EQ((ValueMap{0, 100, -1e308, 1e308}.toPixel(0)), 0);  // a span that overflows
}

TEST(AxisTicks, TheExponentStepLabelsAndPixelsFollowTheRange) {
    const struct {
        const char* name;
        ValueMap map;
        int wanted, exponent;
        double step;
        const char* labels;
        std::vector<int> pixels;
    } cases[] = {
        // The single-precision step accumulates: 1.000000015 lies outside.
        {"zero to a hundred", {0, 500, 0, 100}, 5, 2, 0.2f, "0.0 0.2 0.4 0.6 0.8", {0, 100, 200, 300, 400}},
        {"small range", {0, 100, 0, 0.05}, 5, -2, 1, "0.0 1.0 2.0 3.0 4.0 5.0", {0, 20, 40, 60, 80, 100}},
        // Narrowed until its ends reach a hundred, 100.0 .. 100.1: the step is wider than the span.
        {"narrow range far from zero", {0, 500, 1000, 1001}, 5, 1, 0.1f, "", {}},
        // 5 x 0.2f lies just beyond 1, so 0.8 is the candidate nearest the start inside the range.
        {"downward range", {0, 100, 10, 0}, 5, 1, 0.2f, "0.8 0.6 0.4 0.2 0.0", {19, 39, 59, 79, 100}},
        {"negative range", {0, 400, -50, -10}, 4, 1, 1, "-5.0 -4.0 -3.0 -2.0 -1.0", {0, 100, 200, 300, 400}},
        {"tiny span at a tiny magnitude",
         {0, 100, 1e-300, 2e-300},
         5,
         -300,
         0.2f,
         "1.0 1.2 1.4 1.6 1.8",
         {0, 20, 40, 60, 80}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AxisTicks ticks = computeTicks(c.map, c.wanted);
        EXPECT_EQ(ticks.exponent, c.exponent);
        EXPECT_EQ(ticks.step, c.step);
        EXPECT_EQ(labels(ticks), c.labels);
        EXPECT_EQ(ticks.pixels, c.pixels);
    }
}

TEST(AxisTicks, NoWantedLabelsTakesTheSmallestStep) {
    const AxisTicks ticks = computeTicks(ValueMap{0, 100, 0, 100}, 0);
    EXPECT_EQ(ticks.step, static_cast<double>(0.1f));
    EXPECT_EQ(ticks.values.size(), 10u);  // ten steps of 0.1f overshoot 1
    EXPECT_EQ(computeTicks(ValueMap{0, 100, 0, 100}, -7).values.size(), 10u);
}

TEST(AxisTicks, EqualEndsGiveTheWantedCountAtTheStartPixel) {
    const AxisTicks ticks = computeTicks(ValueMap{20, 300, 5, 5}, 3);
    EXPECT_EQ(ticks.values, (std::vector<double>{5, 5, 5}));
    EXPECT_EQ(ticks.pixels, (std::vector<int>{20, 20, 20}));
    EXPECT_TRUE(computeTicks(ValueMap{20, 300, 5, 5}, -1).values.empty());
    EXPECT_EQ(computeTicks(ValueMap{20, 300, 5, 5}, 1 << 30).values.size(), 1000u);
}

TEST(AxisTicks, DegenerateRangesGiveFewOrNoTicksAndNeverHang) {
    for (const ValueMap& map :
         {ValueMap{0, 100, kNaN, 1}, ValueMap{0, 100, 0, kInf}, ValueMap{0, 100, -kInf, kInf},
          ValueMap{0, 100, 1, 1 + 2.3e-16}, ValueMap{0, 100, -1, -1 - 2.3e-16}, ValueMap{0, 100, 0, 5e-324},
          ValueMap{0, 100, -1e308, 1e308}, ValueMap{7, 7, 0, 1}}) {
        for (const int labels : {-1, 0, 1, 5, 1 << 30}) {
            const AxisTicks ticks = computeTicks(map, labels);
            EXPECT_LE(ticks.values.size(), 30u) << map.startValue << ".." << map.endValue << " n=" << labels;
            EXPECT_EQ(ticks.values.size(), ticks.pixels.size());
        }
    }
    EXPECT_TRUE(computeTicks(ValueMap{0, 100, kNaN, 1}, 5).values.empty());
    EXPECT_TRUE(computeTicks(ValueMap{0, 100, 1, 1 + 2.3e-16}, 5).values.empty());
    EXPECT_EQ(computeTicks(ValueMap{0, 100, 1, 1 + 1e-17}, 2).values.size(), 2u);  // equal ends in a double
}

}  // namespace
