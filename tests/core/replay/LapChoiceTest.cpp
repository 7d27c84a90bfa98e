#include "replay/LapChoice.h"

#include <gtest/gtest.h>

#include "replay/ReplayFormat.h"

namespace {

TEST(LapSpec, FileDriverSessionAndLapSplitFromTheRight) {
    const auto spec = parseLapSpec("/tmp/a:b/race 1.rpy:3:qualifying:12");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->file, "/tmp/a:b/race 1.rpy") << "the path may hold colons";
    EXPECT_EQ(spec->lap.driver, 3);
    EXPECT_EQ(spec->lap.session, kQualifying);
    EXPECT_EQ(spec->lap.slot, 12);

    for (const char* wrong : {"", "race.rpy", "race.rpy:0:race", ":0:race:1", "race.rpy:x:race:1",
                              "race.rpy:0:sprint:1", "race.rpy:0:race:", "race.rpy:0:race:1.5"}) {
        EXPECT_FALSE(parseLapSpec(wrong)) << wrong;
    }
    EXPECT_STREQ(sessionKey(kWarmup), "warmup");
    EXPECT_EQ(sessionFromKey("practice"), kPractice);
    EXPECT_EQ(sessionFromKey("Practice"), std::nullopt);
}

}  // namespace
