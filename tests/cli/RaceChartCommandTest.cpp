#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"
#include "DemoFolder.h"
#include "TempDir.h"
#include "map/TrackMapBitmap.h"
#include "racechart/RaceChartPalette.h"

namespace {

class RaceChartCommandTest : public CliTest {
protected:
    static void SetUpTestSuite() {
        sim_ = std::make_unique<TempDir>();
        writeDemoFolder(sim_->path(), DemoOptions{});
    }
    static void TearDownTestSuite() { sim_.reset(); }
    static std::string replay(const std::string& name) { return (sim_->path() / "replay" / name).string(); }

    static inline std::unique_ptr<TempDir> sim_;
};

TEST_F(RaceChartCommandTest, GivesTheLayoutAsJson) {
    const CliOutput json = run({"racechart", replay("Rivaldi quick race.rpy"), "--json"});
    ASSERT_EQ(json.status, kExitOk) << json.err;
    const auto parsed = nlohmann::ordered_json::parse(json.out);
    std::vector<std::string> keys;
    for (const auto& [key, value] : parsed.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"width", "height", "laps", "drivers", "startQuestionMarks",
                                              "start", "rowLabels", "columns"}));
    EXPECT_EQ(parsed["width"], 314);
    EXPECT_EQ(parsed["height"], 266);
    EXPECT_EQ(parsed["laps"], 3);
    EXPECT_EQ(parsed["drivers"], 12);
    EXPECT_EQ(parsed["startQuestionMarks"], false);
    EXPECT_EQ(parsed["start"], nlohmann::json({1, 2, 0, 3, 4, 5, 6, 8, 7, 9, 10, 11}));
    EXPECT_EQ(parsed["rowLabels"][0], "Lena Weber   1");
    EXPECT_EQ(parsed["columns"][0], nlohmann::ordered_json::parse(R"({"lap": 1,
        "rows": [0, 1, 2, 3, 5, 4, 6, 7, 9, 8, 10, 11], "leadLap": 12, "shadedFrom": null,
        "lines": [[0, 2, 0], [1, 0, 1], [2, 1, 2], [3, 3, 3], [4, 4, 5], [5, 5, 4], [6, 6, 6], [7, 8, 7],
                  [8, 7, 9], [9, 9, 8], [10, 10, 10], [11, 11, 11]]})"));

    const CliOutput practice = run({"racechart", replay("Hollowmere practice, two drivers.rpy")});
    EXPECT_EQ(practice.status, kExitFailure);
    EXPECT_EQ(practice.err, "vxra: This replay file does not contain race info!\n");
    EXPECT_EQ(run({"racechart", replay("Rivaldi quick race.rpy"), "-o", "x.bmp"}).err,
              "vxra: this build of vxra cannot draw pictures\n");
}

TEST_F(RaceChartCommandTest, WritesTheDrawnChartAsAnEightBitBitmap) {
    std::size_t drawnPixels = 0;
    CliApp app([this] {
        return SettingsStores{std::make_unique<SharedStore>(user_), std::make_unique<SharedStore>(machine_)};
    });
    registerAllCommands(app, {{}, [&](const RaceChartLayout& chart) {
                                  drawnPixels = static_cast<std::size_t>(chart.width * chart.height);
                                  return std::vector<std::uint8_t>(drawnPixels, racechart::kLapped);
                              }});
    TempDir out;
    std::ostringstream stdoutText, stderrText;
    ASSERT_EQ(app.run({"racechart", replay("Rivaldi quick race.rpy"), "-o", (out / "chart").string()},
                      stdoutText, stderrText),
              kExitOk)
        << stderrText.str();
    std::ifstream in(out / "chart.bmp", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, encodeBitmap8(314, 266, racechart::palette(),
                                     std::vector<std::uint8_t>(drawnPixels, racechart::kLapped)));
}

}  // namespace
