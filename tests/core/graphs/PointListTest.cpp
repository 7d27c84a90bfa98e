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

TEST(PointList, KeepsPointsInAscendingXWhateverTheOrderOfInsertion) {
    PointList list;
    EXPECT_EQ(list.insert(5, 50), 0);  // the only point
    EXPECT_EQ(list.insert(9, 90), 1);  // beyond the last: the end
    EXPECT_EQ(list.insert(1, 10), 0);  // before the first: the front
    EXPECT_EQ(list.insert(7, 70), 2);  // before the first larger x
    EXPECT_EQ(list.insert(3, 30), 1);
    EXPECT_EQ(xs(list), (std::vector<double>{1, 3, 5, 7, 9}));
    EXPECT_EQ(list.minX(), 1);
    EXPECT_EQ(list.maxX(), 9);
    EXPECT_EQ(list.minY(), 10);
    EXPECT_EQ(list.maxY(), 90);
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
    EXPECT_EQ(list.maxY(), 30);  // the replaced 500 no longer counts
    EXPECT_EQ(list.minY(), 10);
}

TEST(PointList, AnEmptyListHasAZeroBoxAndAFirstPointIsItsBox) {
    PointList list;
    list.insert(-4, 7);
    list.insert(6, -3);
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.minX(), 0);
    EXPECT_EQ(list.maxX(), 0);
    EXPECT_EQ(list.minY(), 0);
    EXPECT_EQ(list.maxY(), 0);
    list.insert(12, 34);
    EXPECT_EQ(list.minX(), 12);
    EXPECT_EQ(list.maxX(), 12);
    EXPECT_EQ(list.minY(), 34);
    EXPECT_EQ(list.maxY(), 34);
}

TEST(PointList, PointsThatAreNotFiniteAreRefused) {
    PointList list;
    list.insert(1, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(list.insert(nan, 2), -1);
    EXPECT_EQ(list.insert(2, inf), -1);
    EXPECT_EQ(list.insert(-inf, 0), -1);
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list.maxY(), 1);
}

}  // namespace
