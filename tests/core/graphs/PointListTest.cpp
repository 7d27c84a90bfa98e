#include "graphs/PointList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::vector<double> xs(const PointList& list) {
    std::vector<double> result;
    for (const PlotPoint& point : list.points())
        result.push_back(point.x);
    return result;
}

void expectBox(const PointList& list, double minX, double maxX, double minY, double maxY) {
    EXPECT_EQ(list.minX(), minX);
    EXPECT_EQ(list.maxX(), maxX);
    EXPECT_EQ(list.minY(), minY);
    EXPECT_EQ(list.maxY(), maxY);
}

TEST(PointList, KeepsPointsInAscendingXWhateverTheOrderOfInsertion) {
    PointList list;
    EXPECT_EQ(list.insert(5, 50), 0);  // the only point
    EXPECT_EQ(list.insert(9, 90), 1);  // beyond the last: the end
    EXPECT_EQ(list.insert(1, 10), 0);  // before the first: the front
    EXPECT_EQ(list.insert(7, 70), 2);  // before the first larger x
    EXPECT_EQ(list.insert(3, 30), 1);
    EXPECT_EQ(xs(list), (std::vector<double>{1, 3, 5, 7, 9}));
    expectBox(list, 1, 9, 10, 90);
}

TEST(PointList, AnEqualXReplacesThePointAndTheBoxIsRecomputed) {
    PointList list;
    list.insert(1, 10);
    list.insert(2, 500);
    list.insert(3, 30);
    EXPECT_EQ(list.maxY(), 500);
    EXPECT_EQ(list.insert(2, 20), 1);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(list.points()[1].y, 20);
    expectBox(list, 1, 3, 10, 30);  // the replaced 500 no longer counts
}

TEST(PointList, AnEmptyListHasAZeroBoxAndAFirstPointIsItsBox) {
    PointList list;
    list.insert(-4, 7);
    list.insert(6, -3);
    list.clear();
    EXPECT_TRUE(list.empty());
    expectBox(list, 0, 0, 0, 0);
    list.insert(12, 34);
    expectBox(list, 12, 12, 34, 34);
}

TEST(PointList, PointsThatAreNotFiniteAreRefused) {
    PointList list;
    list.insert(1, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(list.insert(nan, 2), std::nullopt);
    EXPECT_EQ(list.insert(2, inf), std::nullopt);
    EXPECT_EQ(list.insert(-inf, 0), std::nullopt);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list.maxY(), 1);
}

}  // namespace
