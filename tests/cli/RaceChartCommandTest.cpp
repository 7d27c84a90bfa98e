#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"
#include "racechart/RaceChartPalette.h"

namespace {

using RaceChartCommandTest = DemoCliTest;

TEST_F(RaceChartCommandTest, GivesTheLayoutAsJson) {
    const CliOutput json = run({"racechart", replay("Rivaldi quick race.rpy"), "--json"});
    ASSERT_EQ(json.status, kExitOk) << json.err;
    const auto parsed = nlohmann::ordered_json::parse(json.out);
    EXPECT_EQ(keysOf(parsed),
              (std::vector<std::string>{"width", "height", "laps", "drivers", "startQuestionMarks", "start",
                                        "rowLabels", "columns"}));
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
    // Without a painter (as in a build without Qt).
    EXPECT_EQ(run({"racechart", replay("Rivaldi quick race.rpy"), "-o", "x.bmp"}).status, kExitUsage);
    EXPECT_EQ(last_.err, "vxra: -o is not available in this build\nRun 'vxra --help' for usage.\n");
}

// A little-endian field of the file.
std::uint32_t fieldAt(const std::string& file, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(file.at(offset + i));
    return value;
}

TEST_F(RaceChartCommandTest, WritesTheDrawnChartAsAnEightBitBitmap) {
    constexpr std::size_t kWidth = 314, kHeight = 266, kRowBytes = 316;  // rows padded to 4 bytes
    CliApp app([this] {
        return SettingsStores{std::make_unique<SharedStore>(user_), std::make_unique<SharedStore>(machine_)};
    });
    // The background, with the frame's colour in the top left and the lapped grey in the bottom
    // right corner.
    registerAllCommands(app, {{}, [&](const RaceChartLayout& chart) {
                                  std::vector<std::uint8_t> pixels(
                                      static_cast<std::size_t>(chart.width * chart.height),
                                      racechart::kBackground);
                                  pixels.front() = racechart::kFrame;
                                  pixels.back() = racechart::kLapped;
                                  return pixels;
                              }});
    TempDir out;
    std::ostringstream stdoutText, stderrText;
    ASSERT_EQ(app.run({"racechart", replay("Rivaldi quick race.rpy"), "-o", (out / "chart").string()},
                      stdoutText, stderrText),
              kExitOk)
        << stderrText.str();
    std::ifstream in(out / "chart.bmp", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(fieldAt(file, 2, 4), file.size());
    EXPECT_EQ(fieldAt(file, 18, 4), kWidth);
    EXPECT_EQ(fieldAt(file, 22, 4), kHeight);  // positive: rows from the bottom
    EXPECT_EQ(fieldAt(file, 26, 2), 1u);       // planes
    EXPECT_EQ(fieldAt(file, 28, 2), 8u);       // bits per pixel
    EXPECT_EQ(fieldAt(file, 30, 4), 0u);       // not compressed
    const std::size_t pixelsAt = fieldAt(file, 10, 4);
    EXPECT_EQ(file.size(), pixelsAt + kRowBytes * kHeight);
    // The palette after the 54 bytes of headers, blue, green, red, 0: entry 1 is the frame's red.
    EXPECT_EQ(file.substr(54 + 4 * racechart::kFrame, 4), std::string("\0\0\xff\0", 4));
    EXPECT_EQ(file.substr(54 + 4 * racechart::kLapped, 4), std::string("\xcf\xcf\xcf\0", 4));
    // The top row is stored last.
    EXPECT_EQ(file[pixelsAt + kRowBytes * (kHeight - 1)], racechart::kFrame);
    EXPECT_EQ(file[pixelsAt + kRowBytes * (kHeight - 1) + 1], racechart::kBackground);
    EXPECT_EQ(file[pixelsAt + kWidth - 1], racechart::kLapped);
    EXPECT_EQ(file[pixelsAt], racechart::kBackground);
}

}  // namespace
