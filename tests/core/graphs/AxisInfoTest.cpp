#include "graphs/AxisInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(AxisInfo, WritesAValueInItsThreeFormats) {
    AxisInfo axis;
    EXPECT_EQ(axis.format(1.5, 0), "1.500");  // three decimals until told otherwise
    axis.set("Speed", "Kph", 1);
    EXPECT_EQ(axis.format(187.25, 0), "187.2");
    EXPECT_EQ(axis.format(187.26, 1), "187.3 Kph");
    EXPECT_EQ(axis.format(-3, 2), "Speed: -3.0 Kph");
    EXPECT_EQ(axis.format(1, 3), "");
    EXPECT_EQ(axis.format(1, -1), "");
    EXPECT_EQ(axis.label(), "Speed, Kph");
}

TEST(AxisInfo, APercentSignInTitleOrUnitIsShownAsItIs) {
    AxisInfo axis;
    axis.set("Throttle %s %n", "%d%%", 0);
    EXPECT_EQ(axis.format(42, 1), "42 %d%%");
    EXPECT_EQ(axis.format(42, 2), "Throttle %s %n: 42 %d%%");
}

TEST(AxisInfo, PrecisionIsHeldToWhatADoubleCanShow) {
    AxisInfo axis;
    axis.set("Meter", "m", -2);
    EXPECT_EQ(axis.format(2.75, 0), "3");
    axis.set("Meter", "m", 1000);
    EXPECT_EQ(axis.precision(), 17);
    EXPECT_EQ(axis.format(1e300, 0).size(), 301u + 1 + 17);
}

}  // namespace
