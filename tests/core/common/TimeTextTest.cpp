#include "common/TimeText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(TimeText, TimesKeepTheirLayoutAtEveryMagnitude) {
    EXPECT_EQ(formatElapsedTime(0), "0m 00.000s");
    EXPECT_EQ(formatElapsedTime(76236), "1m 16.236s");
    EXPECT_EQ(formatElapsedTime(605009), "10m 05.009s");
    EXPECT_EQ(formatElapsedTime(UINT32_MAX), "71582m 47.295s");
    EXPECT_EQ(formatSplitTime(31250), "0:31.250s");
    EXPECT_EQ(formatSplitTime(3600000), "60:00.000s");

    // Lap words: the time is their low 24 bits, minutes only when there are some.
    EXPECT_EQ(formatLapTime(0), "00.000s");
    EXPECT_EQ(formatLapTime(5123), "05.123s");
    EXPECT_EQ(formatLapTime(0x80000000u | 65123), "1m05.123s");
    EXPECT_EQ(formatLapTime(0xFFFFFF), "279m37.215s");
    std::string row = "L1 ";
    appendLapTime(row, 59999);
    EXPECT_EQ(row, "L1 59.999s");
}

}  // namespace
