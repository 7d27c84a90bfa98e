#include "graphs/PlotRange.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const PlotRange kRange{0, 100, -10, 10};

void expectRange(const PlotRange& actual, const PlotRange& expected) {
    EXPECT_DOUBLE_EQ(actual.x1, expected.x1);
    EXPECT_DOUBLE_EQ(actual.x2, expected.x2);
    EXPECT_DOUBLE_EQ(actual.y1, expected.y1);
    EXPECT_DOUBLE_EQ(actual.y2, expected.y2);
}

TEST(PlotRange, FitsTakeTheDataOnTheirAxesAndKeepTheOther) {
    const DataBounds data{5, 80, -2, 7};
    expectRange(fitted(kRange, data, FitKind::Width), (PlotRange{5, 80, -10, 10}));
    expectRange(fitted(kRange, data, FitKind::Height), (PlotRange{0, 100, -2, 7}));
    expectRange(fitted(kRange, data, FitKind::Page), (PlotRange{5, 80, -2, 7}));
}

TEST(PlotRange, DataOfOneValueAreWidenedSoTheRangeNeverCollapses) {
    expectRange(fitted(kRange, DataBounds{50, 50, -4, -4}, FitKind::Page), (PlotRange{45, 55, -4.4, -3.6}));
    expectRange(fitted(kRange, DataBounds{0, 0, 3, 9}, FitKind::Page), (PlotRange{-1, 1, 3, 9}));
    EXPECT_TRUE(isShowable(fitted(kRange, DataBounds{1e-300, 1e-300, 6, 6}, FitKind::Page)));
}

TEST(PlotRange, ZoomsAndPansReadThePixelsThroughTheMaps) {
    const ValueMap x = xMapOf(kRange, 200), y = yMapOf(kRange, 100);
    expectRange(zoomedTo(x, y, 20, 60, 75, 25), (PlotRange{10, 30, -5, 5}));

    // Zooming about a point keeps its value under the pointer.
    const PlotRange closer = zoomedAbout(kRange, x, y, 50, 25, 2);  // the pointer on (25, 5)
    expectRange(closer, PlotRange{12.5, 62.5, -2.5, 7.5});
    EXPECT_DOUBLE_EQ(xMapOf(closer, 200).toValue(50), 25);
    EXPECT_DOUBLE_EQ(yMapOf(closer, 100).toValue(25), 5);
    expectRange(zoomedAbout(closer, xMapOf(closer, 200), yMapOf(closer, 100), 50, 25, 0.5), kRange);

    // The pointer moves 20 pixels right and 10 down: what was under it follows, so the range moves
    // left and up in values.
    expectRange(panned(kRange, x, y, 100, 50, 120, 60), (PlotRange{-10, 90, -8, 12}));
}

TEST(PlotRange, ARangeIsShowableOnlyWithFiniteEndsThatStillDiffer) {
    EXPECT_TRUE(isShowable(kRange));
    EXPECT_FALSE(isShowable(PlotRange{5, 5, 0, 1}));
    EXPECT_FALSE(isShowable(PlotRange{0, 1, 1e6, 1e6 + 1e-6}));
    EXPECT_FALSE(isShowable(PlotRange{0, std::numeric_limits<double>::infinity(), 0, 1}));
    EXPECT_FALSE(isShowable(PlotRange{-1e308, 1e308, 0, 1}));  // the span overflows
    EXPECT_TRUE(isShowable(PlotRange{0, 1, 10, -10}));         // reversed ends are a range too
}

}  // namespace
