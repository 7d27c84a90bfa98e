#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "CliTest.h"
#include "QuickRaceWriter.h"
#include "ReplayWriter.h"
#include "TempDir.h"
#include "TestSystem.h"

namespace {

class ReportCommandTest : public CliTest {
protected:
    void SetUp() override {
        WeekendSettings weekend;
        weekend.manualWeather = true;
        weekend.temperatureF = 68;
        ReplayWriter w = quickRaceWriter("Owner", weekend);
        w.addDriver({"Ann", "Owner", "", "GT", 7, 150, 10});
        w.addLapTable({lapListFromDurations(10, 1000, {72000})});
        w.addFrame({sessionMarkerRecord(1, 1000)});
        replay_ = dir_ / "race1.rpy";
        w.write(replay_);
        std::filesystem::create_directories(dir_ / "sim/tracks/Testring");
        std::ofstream(dir_ / "sim/tracks/Testring/track.ini") << "track_length = 2.236936 miles\r\n";
    }

    // Runs "report ARGS" with the simulator folder that holds the track.
    CliOutput report(std::vector<std::string> args) {
        args.insert(args.begin(), {"--sim-dir", (dir_ / "sim").string(), "report"});
        return run(args);
    }

    TempDir dir_;
    std::filesystem::path replay_;
};

TEST_F(ReportCommandTest, PrintsTheReportInUtf8WithTheTrackLengthAndSpeedUnit) {
    ASSERT_EQ(report({"race", replay_.string()}).status, kExitOk) << last_.err;
    EXPECT_EQ(last_.err, "");
    EXPECT_NE(
        last_.out.find("\n 1     7 Ann Owner                           1   1m12.000s             180.000\n"),
        std::string::npos)
        << last_.out;
    EXPECT_EQ(last_.out.find('\r'), std::string::npos) << "the platform's line ends";

    ASSERT_EQ(report({"race", replay_.string(), "--mph"}).status, kExitOk);
    EXPECT_NE(last_.out.find("1m12.000s             111.847\n"), std::string::npos) << last_.out;

    ASSERT_EQ(report({"settings", replay_.string()}).status, kExitOk);
    EXPECT_NE(last_.out.find("Temperature:             68 \u00b0F"), std::string::npos) << last_.out;
}

TEST_F(ReportCommandTest, MissingTrackIniWarnsAndGoesOn) {
    ASSERT_EQ(run({"--sim-dir", dir_.path().string(), "report", "race", replay_.string()}).status, kExitOk);
    EXPECT_EQ(last_.err,
              "vxra: Track.ini or entire track seems to be missing in the tracks directory: Speeds will be "
              "misreported in the reports!\n");
    EXPECT_NE(last_.out.find("1m12.000s               0.000\n"), std::string::npos) << last_.out;
}

// The export file holds the report as printed, with the platform's line ends.
TEST_F(ReportCommandTest, WritesTheExportFile) {
    ASSERT_EQ(report({"race", replay_.string()}).status, kExitOk);
    std::string expected;
    for (const char c : last_.out.substr(0, last_.out.size() - 1))  // less the line printing adds
        expected += c == '\n' ? kLineEnd : std::string(1, c);
    ASSERT_EQ(expected.substr(0, 15), "Track: Testring");

    ASSERT_EQ(report({"race", replay_.string(), "-o", dir_.path().string()}).status, kExitOk);
    const auto exported = dir_ / "race1_Race.txt";
    EXPECT_EQ(last_.out, exported.string() + "\n");
    std::ifstream in(exported, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), expected);

    ASSERT_EQ(report({"complete", replay_.string(), "-o", (dir_ / "all").string()}).status, kExitOk);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "all.txt"));
    ASSERT_EQ(report({"practice", replay_.string(), "-o", (dir_ / "p.TXT").string()}).status, kExitOk);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "p.TXT"));

    EXPECT_EQ(report({"race", replay_.string(), "-o", (dir_ / "no/such/folder/r.txt").string()}).status,
              kExitFailure);
    EXPECT_NE(last_.err.find("Error creating file!\n"), std::string::npos);
}

TEST_F(ReportCommandTest, LapChartLapByLapFlagsAndSectors) {
    const std::pair<const char*, const char*> reports[] = {
        {"lapchart",
         "\n\nDriver: Ann Owner\n\nNo practice laps\n\nNo qualifying laps\n\nNo Warmup laps\n\n"
         "Race laps\nLap 0: 01.000s\nLap 1: 1m12.000s\n"},
        {"lapbylap", "\nEnd of the race:\nAnn Owner wins the race\n"},
        {"flags", "\nRace data found - beginning detection.\n"},
    };
    for (const auto& [type, text] : reports) {
        SCOPED_TRACE(type);
        ASSERT_EQ(report({type, replay_.string()}).status, kExitOk);
        EXPECT_NE(last_.out.find(text), std::string::npos) << last_.out;
    }
    EXPECT_EQ(run({"sectors", replay_.string() + ":0:sprint:1"}).status, kExitUsage);
    EXPECT_EQ(last_.err, "vxra: '" + replay_.string() +
                             ":0:sprint:1' is not FILE:DRIVER:SESSION:LAP\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(run({"sectors", (dir_ / "absent.rpy").string() + ":0:race:1"}).status, kExitFailure);
    EXPECT_EQ(last_.err, "vxra: HeaderClass: Error reading file!\nvxra: " + (dir_ / "absent.rpy").string() +
                             ": No such file or directory\nvxra: No replay lap loaded!\n");
}

TEST_F(ReportCommandTest, UsageErrors) {
    EXPECT_EQ(report({"laps", replay_.string()}).status, kExitUsage);
    EXPECT_EQ(
        last_.err,
        "vxra: unknown report type 'laps': settings, practice, qualifying, warmup, race, lapbylap, lapchart, "
        "complete or flags\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(report({"race"}).status, kExitUsage);
    EXPECT_EQ(report({"race", replay_.string(), "--mph", "--kph"}).status, kExitUsage);
}

}  // namespace
