#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"

namespace {

class GraphCommandTest : public DemoCliTest {
protected:
    static std::string lap(int driver) { return weekendRaceLap(driver); }
    CliOutput graph(std::vector<std::string> args) {
        args.insert(args.begin(), "graph");
        return vxra(args);
    }
};

TEST_F(GraphCommandTest, GivesTheCurvesAndTheDifferenceAsJson) {
    ASSERT_EQ(graph({lap(0), lap(3), "--channel", "speed", "--difference", "--json"}).status, kExitOk)
        << last_.err;
    const auto json = nlohmann::ordered_json::parse(last_.out);
    EXPECT_EQ(keysOf(json),
              (std::vector<std::string>{"channel", "xAxis", "yAxis", "yRange", "curves", "difference"}));
    EXPECT_EQ(json["channel"], "speed");
    EXPECT_EQ(json["xAxis"], nlohmann::json({"Meter", "Meter"}));
    EXPECT_EQ(json["yAxis"], nlohmann::json({"Speed", "Kph"}));
    EXPECT_EQ(json["yRange"], nlohmann::json({0, 400}));
    ASSERT_EQ(json["curves"].size(), 2u);
    EXPECT_EQ(json["curves"][0]["lap"], "M Tanaka 1m 16.236s");
    EXPECT_EQ(json["curves"][1]["lap"], "A Rossi 1m 16.009s");
    const auto& points = json["curves"][0]["points"];
    ASSERT_GT(points.size(), 2000u);
    EXPECT_LT(points[0][0].get<double>(), points[1][0].get<double>());  // ascending distance

    const auto& difference = json["difference"];
    EXPECT_EQ(difference["points"].size(), 500u);
    EXPECT_EQ(difference["zeroLine"][0], nlohmann::json({0, 200}));
    EXPECT_EQ(difference["zeroLine"][1][1], 200);
    EXPECT_EQ(difference["atFinishLine"], "+0m 00.227s");
    EXPECT_EQ(difference["maxAhead"], "-0m 00.027s");
    EXPECT_EQ(difference["maxBehind"], "+0m 00.222s");
    EXPECT_EQ(difference["spread"], "0m 00.250s");
}

TEST_F(GraphCommandTest, TheTimeChannelRangeAndMilesPerHour) {
    ASSERT_EQ(graph({lap(0), "--channel", "time", "--json"}).status, kExitOk) << last_.err;
    auto json = nlohmann::json::parse(last_.out);
    EXPECT_FALSE(json.contains("difference"));
    EXPECT_EQ(json["yRange"][1], json["curves"][0]["points"].back()[1]);

    user_->writeInt("MPH", 1);
    ASSERT_EQ(graph({lap(0), "--channel", "speed", "--json"}).status, kExitOk) << last_.err;
    json = nlohmann::json::parse(last_.out);
    EXPECT_EQ(json["yAxis"][1], "Mph");
}

TEST_F(GraphCommandTest, WrongCommandLinesAreUsageErrors) {
    EXPECT_EQ(graph({lap(0), "--channel", "throttle"}).status, kExitUsage);
    EXPECT_EQ(last_.err,
              "vxra: --channel takes speed, time, gear, revs or slip\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(graph({lap(0), "--channel", "speed", "--difference"}).status, kExitUsage);
    EXPECT_EQ(last_.err, "vxra: --difference takes exactly two laps\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(graph({"weekend.rpy:zero:race:2", "--channel", "gear"}).status, kExitUsage);
    EXPECT_EQ(graph({lap(0), "--channel", "gear", "-o", "g.png", "--size", "10x10"}).status, kExitUsage);
    EXPECT_EQ(graph({lap(0), "--channel", "gear", "-o", "g.png"}).status, kExitUsage);  // no painter here
    EXPECT_EQ(last_.err, "vxra: -o is not available in this build\nRun 'vxra --help' for usage.\n");
}

TEST_F(GraphCommandTest, WritesThePictureUnderTheBytesOfItsName) {
    std::string picture = "PNG of 1200x700";
    CliApp app([this] {
        return SettingsStores{std::make_unique<SharedStore>(user_), std::make_unique<SharedStore>(machine_)};
    });
    registerAllCommands(app, {[&](const PlotModel&, const PlotRange&, int width, int height) {
                                  return width == 1200 && height == 700 ? picture : std::string();
                              },
                              {}});
    TempDir out;
    const std::filesystem::path target = out / "Qualif\xe9.png";  // Windows-1252, not UTF-8
    std::ostringstream stdoutText, stderrText;
    const auto draw = [&] {
        return app.run({"--sim-dir", sim_->path().string(), "graph", lap(0), "--channel", "speed", "-o",
                        target.string()},
                       stdoutText, stderrText);
    };
    ASSERT_EQ(draw(), kExitOk) << stderrText.str();
    EXPECT_EQ(stdoutText.str(), target.string() + "\n");
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), picture);

    picture.clear();  // nothing drawn
    EXPECT_EQ(draw(), kExitFailure);
    EXPECT_EQ(stderrText.str(), "vxra: Error creating file!\n");
}

}  // namespace
