#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTest.h"

namespace {

using GearsCommandTest = DemoCliTest;

TEST_F(GearsCommandTest, PrintsTheAnalysisAsJsonAndAsText) {
    const std::string lap = weekendRaceLap(0);
    const CliOutput json = vxra({"gears", lap, "--json"});
    ASSERT_EQ(json.status, kExitOk) << json.err;
    const auto parsed = nlohmann::ordered_json::parse(json.out);
    EXPECT_EQ(keysOf(parsed), (std::vector<std::string>{"lap", "changes", "changeCount", "neutralUpshift",
                                                        "neutralDownshift", "summary", "statistics"}));
    EXPECT_EQ(parsed["lap"], "M Tanaka 1m 16.236s");
    EXPECT_EQ(parsed["changeCount"], "9");
    EXPECT_EQ(parsed["changes"][0], nlohmann::json({"1: 5->6", "1492", "11703", "-1734", "1", ".083"}));
    EXPECT_EQ(parsed["neutralUpshift"], "0m 00.750s");
    EXPECT_EQ(parsed["neutralDownshift"], "0m 00.000s");
    EXPECT_EQ(parsed["summary"], "Out of 9 upshifts, 3 were speedshifts.");
    EXPECT_TRUE(parsed["statistics"]["1->2"].is_null());
    EXPECT_EQ(parsed["statistics"]["2->3"], nlohmann::json({"11639", "2275", "-2"}));

    const CliOutput text = vxra({"gears", lap});
    ASSERT_EQ(text.status, kExitOk);
    EXPECT_NE(text.out.find("1: 5->6\t1492\t11703\t-1734\t1\t.083\t\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Out of 9 upshifts, 3 were speedshifts.\n"), std::string::npos);
    EXPECT_EQ(run({"gears", lap, lap}).status, kExitUsage);
}

}  // namespace
