#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "CliTest.h"
#include "TempDir.h"
#include "document/ReplayDocument.h"

namespace {

class CompareCommandTest : public DemoCliTest {
protected:
    CliOutput compare(std::vector<std::string> args) {
        args.insert(args.begin(), "compare");
        return vxra(args);
    }
};

TEST_F(CompareCommandTest, GivesTheComparisonAsJson) {
    const std::string reference = weekendRaceLap(0), other = weekendRaceLap(3);
    ASSERT_EQ(compare({reference, other, "--step", "2500", "--json"}).status, kExitOk) << last_.err;
    const auto quoted = [](const std::string& text) { return nlohmann::json(text).dump(); };
    const auto numbers = [](const std::string& values) {
        std::string lines;
        for (std::size_t from = 0; from < values.size();) {
            const std::size_t comma = std::min(values.find(',', from), values.size());
            lines += "        " + values.substr(from, comma - from) + (comma < values.size() ? ",\n" : "\n");
            from = comma + 1;
        }
        return lines;
    };
    const auto sector = [&](int number, const std::string& times, const std::string& deltas, bool last) {
        return "    {\n      \"name\": \"Sector " + std::to_string(number) + "\",\n      \"times\": [\n" +
               numbers(times) + "      ],\n      \"deltas\": [\n" + numbers(deltas) +
               "      ],\n      \"best\": 1\n    }" + (last ? "\n" : ",\n");
    };
    EXPECT_EQ(
        last_.out,
        "{\n  \"reference\": {\n    \"lap\": " + quoted(reference) +
            ",\n    \"caption\": \"M Tanaka \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.236s\",\n"
            "    \"lapTime\": 76.236\n  },\n  \"step\": 2500.0,\n  \"laps\": [\n    {\n      \"lap\": " +
            quoted(other) +
            ",\n      \"caption\": \"A Rossi \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.009s\",\n"
            "      \"lapTime\": 76.009,\n      \"finishDelta\": -0.227,\n      \"points\": [\n"
            "        [\n          0.0,\n          0.0,\n          287.3\n        ],\n"
            "        [\n          2500.0,\n          -0.1099,\n          219.9\n        ],\n"
            "        [\n          5000.0,\n          -0.2175,\n          260.3\n        ]\n"
            "      ]\n    }\n  ],\n  \"sectors\": [\n" +
            sector(1, "17.694,17.638", "0.0,-0.056", false) +
            sector(2, "21.194,21.139", "0.0,-0.055", false) +
            sector(3, "16.667,16.611", "0.0,-0.056", false) + sector(4, "20.681,20.621", "0.0,-0.06", true) +
            "  ],\n  \"theoreticalBest\": 76.009\n}\n");
}

TEST_F(CompareCommandTest, ADeltaThatRoundsToZeroHasNoSignInTheJson) {
    ASSERT_EQ(compare({weekendRaceLap(0), weekendRaceLap(3), "--step", "1", "--json"}).status, kExitOk)
        << last_.err;
    const auto points = nlohmann::json::parse(last_.out).at("laps").at(0).at("points");
    ASSERT_GT(points.size(), 4000u);
    for (const auto& point : points) {
        const double delta = point.at(1).get<double>();
        ASSERT_FALSE(delta == 0 && std::signbit(delta)) << "at " << point.at(0);
    }
}

TEST_F(CompareCommandTest, GivesTheComparisonAsTextAndAsCsv) {
    ASSERT_EQ(compare({weekendRaceLap(0), weekendRaceLap(3)}).status, kExitOk) << last_.err;
    EXPECT_EQ(last_.out,
              "Reference (lap 1): M Tanaka \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.236s\n"
              "Lap 2: A Rossi \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.009s, -0.227 s at the finish\n"
              "Step between points: 10 m\n"
              "\n"
              "                  Lap 1             Lap 2\n"
              "Sector 1          17.694            17.638 -0.056 *\n"
              "Sector 2          21.194            21.139 -0.055 *\n"
              "Sector 3          16.667            16.611 -0.056 *\n"
              "Sector 4          20.681            20.621 -0.060 *\n"
              "Theoretical best: 1m 16.009s\n");

    ASSERT_EQ(compare({weekendRaceLap(0), weekendRaceLap(3), "--step=2500", "--csv"}).status, kExitOk)
        << last_.err;
    const std::string reference = "M Tanaka \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.236s";
    const std::string other = "A Rossi \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.009s";
    EXPECT_EQ(last_.out, "Distance (m)," + reference + " time (s)," + reference + " delta (s)," + reference +
                             " speed (km/h)," + other + " time (s)," + other + " delta (s)," + other +
                             " speed (km/h)\n"
                             "0,0.0000,0.0000,287.9,0.0000,0.0000,287.3\n"
                             "2500,36.9119,0.0000,219.2,36.8020,-0.1099,219.9\n"
                             "5000,73.0425,0.0000,259.5,72.8250,-0.2175,260.3\n");
}

TEST_F(CompareCommandTest, SaysWhenItWidensTheStep) {
    ASSERT_EQ(compare({weekendRaceLap(0), weekendRaceLap(3), "--step", "0.01"}).status, kExitOk) << last_.err;
    EXPECT_EQ(last_.out.substr(0, last_.out.find("\n\n")),
              "Reference (lap 1): M Tanaka \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.236s\n"
              "Lap 2: A Rossi \xC2\xB7 Race lap 2 \xC2\xB7 1m 16.009s, -0.227 s at the finish\n"
              "Step between points: 0.1 m (widened from 0.01 m: at most 100000 points a lap)");
}

TEST_F(CompareCommandTest, ItsUsageOffersOneOutput) {
    ASSERT_EQ(compare({"--help"}).status, kExitOk);
    EXPECT_EQ(last_.out.substr(0, last_.out.find('\n')),
              "Usage: vxra compare REF LAP ... [--step M] [--json | --csv | -o COMPARE.png] [--size WxH]");
}

struct FailureCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
};

TEST_F(CompareCommandTest, SaysWhyItCannotCompare) {
    const std::string usage = "\nRun 'vxra --help' for usage.\n";
    const std::string phantomRing = replay("Phantom Ring practice (track not installed).rpy");
    std::vector<FailureCase> cases = {
        {"laps whose track is not installed",
         {phantomRing + ":0:practice:1", phantomRing + ":1:practice:2"},
         kExitFailure,
         "vxra: Can't find track for this replay!\nYou'll not be able to see any track maps nor speed data!\n"
         "Make sure VELTRA4 Path is set correctly in File->Settings\n\nDetailed error message:\n"
         "Error: cannot open track file\n"
         "vxra: The laps' track is not installed, so their distances along it are unknown.\n"},
        {"a lap that does not load",
         {weekendRaceLap(0), replay("Rivaldi weekend (saved in race).rpy") + ":0:race:99"},
         kExitFailure,
         "vxra: RpyDataClass: Error reading file!\nvxra: 1 of 2 laps could not be loaded\n"},
        {"no lap to compare",
         {weekendRaceLap(0)},
         kExitUsage,
         "vxra: compare takes a reference lap and one to four laps as FILE:DRIVER:SESSION:LAP" + usage},
        {"a reference and five laps", std::vector<std::string>(6, weekendRaceLap(0)), kExitUsage,
         "vxra: compare takes a reference lap and one to four laps as FILE:DRIVER:SESSION:LAP" + usage},
        {"two outputs",
         {weekendRaceLap(0), weekendRaceLap(3), "--json", "--csv"},
         kExitUsage,
         "vxra: give --json or --csv, not both" + usage},
        {"a picture and CSV",
         {weekendRaceLap(0), weekendRaceLap(3), "--csv", "-o", "c.png"},
         kExitUsage,
         "vxra: give --csv or -o, not both" + usage},
        {"a picture too small",
         {weekendRaceLap(0), weekendRaceLap(3), "-o", "c.png", "--size", "63x700"},
         kExitUsage,
         "vxra: --size takes WIDTHxHEIGHT, each 64 to 8192 pixels" + usage},
        {"a picture without a painter",
         {weekendRaceLap(0), weekendRaceLap(3), "-o", "c.png"},
         kExitUsage,
         "vxra: -o is not available in this build" + usage},
    };
    // A step is checked before any lap loads: these laps do not exist.
    const std::string missing = replay("missing.rpy") + ":0:race:2";
    for (const char* step : {"0x10", " 5", "5 ", "10m", "nan", "inf", "0", "-5", "+5", "1e1", ""})
        cases.push_back({step,
                         {missing, missing, "--step", step},
                         kExitUsage,
                         "vxra: --step takes a positive number of metres" + usage});
    for (const FailureCase& failureCase : cases) {
        EXPECT_EQ(compare(failureCase.args).status, failureCase.status) << failureCase.name;
        EXPECT_EQ(last_.err, failureCase.err) << failureCase.name;
        EXPECT_EQ(last_.out, "") << failureCase.name;
    }
}

// The picture is the desktop program's drawing of what the command computed: the laps in the order
// given, in the document's colours, at the size asked for.
TEST_F(CompareCommandTest, DrawsThePlotsIntoAPicture) {
    struct Drawn {
        std::size_t laps;
        std::vector<std::uint32_t> colours;
        bool mph;
        int width, height;
    };
    std::vector<Drawn> drawn;
    std::string picture = "PNG";
    CliApp app([this] {
        return SettingsStores{std::make_unique<SharedStore>(user_), std::make_unique<SharedStore>(machine_)};
    });
    PictureMakers pictures;
    pictures.comparison = [&](const LapComparison& comparison, const std::vector<std::uint32_t>& colours,
                              bool mph, int width, int height) {
        drawn.push_back({comparison.laps.size(), colours, mph, width, height});
        return picture;
    };
    registerAllCommands(app, pictures);
    TempDir out;
    const std::filesystem::path target = out / "compare.png";
    std::ostringstream stdoutText, stderrText;
    const auto draw = [&](std::vector<std::string> more) {
        std::vector<std::string> args{"--sim-dir",       sim_->path().string(), "compare", weekendRaceLap(0),
                                      weekendRaceLap(3), weekendRaceLap(1),     "-o",      target.string()};
        args.insert(args.end(), more.begin(), more.end());
        return app.run(args, stdoutText, stderrText);
    };
    ASSERT_EQ(draw({}), kExitOk) << stderrText.str();
    ASSERT_EQ(draw({"--size", "640x480"}), kExitOk) << stderrText.str();
    EXPECT_EQ(stdoutText.str(), target.string() + "\n" + target.string() + "\n");
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), picture);
    const auto& table = ReplayDocument::colourTable();
    const std::vector<std::uint32_t> colours{table[0].packed(), table[1].packed(), table[2].packed()};
    ASSERT_EQ(drawn.size(), 2u);
    for (const Drawn& each : drawn) {
        EXPECT_EQ(each.laps, 3u);
        EXPECT_EQ(each.colours, colours);
        EXPECT_FALSE(each.mph);
    }
    EXPECT_EQ((std::pair{drawn[0].width, drawn[0].height}), (std::pair{1200, 700}));
    EXPECT_EQ((std::pair{drawn[1].width, drawn[1].height}), (std::pair{640, 480}));

    picture.clear();  // nothing drawn
    EXPECT_EQ(draw({}), kExitFailure);
    EXPECT_EQ(stderrText.str(), "vxra: Error creating file!\n");
}

}  // namespace
