#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "CliApp.h"
#include "Commands.h"
#include "MemorySettings.h"
#include "QuickRaceWriter.h"
#include "ReplayWriter.h"
#include "TempDir.h"

namespace {

class ReportCommandTest : public testing::Test {
protected:
    void SetUp() override {
        useFreshMemorySettings();
        registerAllCommands(app_);
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
    void TearDown() override { useFreshMemorySettings(); }

    int run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return app_.run(args, out_, err_);
    }

    TempDir dir_;
    std::filesystem::path replay_;
    CliApp app_;
    std::ostringstream out_, err_;
};

TEST_F(ReportCommandTest, PrintsTheReportInUtf8WithTheTrackLengthAndSpeedUnit) {
    const std::string sim = (dir_ / "sim").string();
    ASSERT_EQ(run({"--sim-dir", sim, "report", "race", replay_.string()}), kExitOk) << err_.str();
    EXPECT_EQ(err_.str(), "");
    EXPECT_NE(
        out_.str().find("\n 1     7 Ann Owner                           1   1m12.000s             180.000\n"),
        std::string::npos)
        << out_.str();
    EXPECT_EQ(out_.str().find('\r'), std::string::npos) << "the platform's line ends";

    ASSERT_EQ(run({"--sim-dir", sim, "report", "race", replay_.string(), "--mph"}), kExitOk);
    EXPECT_NE(out_.str().find("1m12.000s             111.847\n"), std::string::npos) << out_.str();

    ASSERT_EQ(run({"--sim-dir", sim, "report", "settings", replay_.string()}), kExitOk);
    EXPECT_NE(out_.str().find("Temperature:             68 \u00b0F"), std::string::npos) << out_.str();
}

TEST_F(ReportCommandTest, MissingTrackIniWarnsAndGoesOn) {
    ASSERT_EQ(run({"--sim-dir", dir_.path().string(), "report", "race", replay_.string()}), kExitOk);
    EXPECT_EQ(err_.str(),
              "Track.ini or entire track seems to be missing in the tracks directory: Speeds will be "
              "misreported in "
              "the reports!\n");
    EXPECT_NE(out_.str().find("1m12.000s               0.000\n"), std::string::npos) << out_.str();
}

TEST_F(ReportCommandTest, WritesTheExportFile) {
    const std::string sim = (dir_ / "sim").string();
    ASSERT_EQ(run({"--sim-dir", sim, "report", "race", replay_.string(), "-o", dir_.path().string()}),
              kExitOk);
    const auto exported = dir_ / "race1_Race.txt";
    EXPECT_EQ(out_.str(), exported.string() + "\n");
    std::ifstream in(exported, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(text.substr(0, 15), "Track: Testring");
    EXPECT_EQ(text.find('\r'), std::string::npos);

    ASSERT_EQ(run({"--sim-dir", sim, "report", "complete", replay_.string(), "-o", (dir_ / "all").string()}),
              kExitOk);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "all.txt"));
    ASSERT_EQ(
        run({"--sim-dir", sim, "report", "practice", replay_.string(), "-o", (dir_ / "p.TXT").string()}),
        kExitOk);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "p.TXT"));

    EXPECT_EQ(run({"report", "race", replay_.string(), "-o", (dir_ / "no/such/folder/r.txt").string()}),
              kExitFailure);
    EXPECT_NE(err_.str().find("Error creating file!\n"), std::string::npos);
}

TEST_F(ReportCommandTest, LapChartLapByLapFlagsAndSectors) {
    ASSERT_EQ(run({"report", "lapchart", replay_.string()}), kExitOk);
    EXPECT_NE(out_.str().find(
                  "\n\nDriver: Ann Owner\n\nNo practice laps\n\nNo qualifying laps\n\nNo Warmup laps\n\n"
                  "Race laps\nLap 0: 01.000s\nLap 1: 1m12.000s\n"),
              std::string::npos)
        << out_.str();
    ASSERT_EQ(run({"report", "lapbylap", replay_.string()}), kExitOk);
    EXPECT_NE(out_.str().find("\nEnd of the race:\nAnn Owner wins the race\n"), std::string::npos)
        << out_.str();
    ASSERT_EQ(run({"report", "flags", replay_.string()}), kExitOk);
    EXPECT_NE(out_.str().find("\nRace data found - beginning detection.\n"), std::string::npos) << out_.str();

    // This replay holds no telemetry: the lap cannot be loaded.
    EXPECT_EQ(run({"sectors", replay_.string() + ":0:race:1"}), kExitFailure);
    const std::string tail = "RpyDataClass: Error reading file!\nNo replay lap loaded!\n";
    EXPECT_EQ(err_.str().substr(err_.str().size() - tail.size()), tail);
    EXPECT_EQ(run({"sectors", replay_.string() + ":0:sprint:1"}), kExitUsage);
    EXPECT_EQ(err_.str(), "vxra: '" + replay_.string() +
                              ":0:sprint:1' is not FILE:DRIVER:SESSION:LAP\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(run({"sectors", (dir_ / "absent.rpy").string() + ":0:race:1"}), kExitFailure);
    EXPECT_EQ(err_.str(), "HeaderClass: Error reading file!\n" + (dir_ / "absent.rpy").string() +
                              "\nNo replay lap loaded!\n");
}

TEST_F(ReportCommandTest, UsageErrors) {
    EXPECT_EQ(run({"report", "laps", replay_.string()}), kExitUsage);
    EXPECT_EQ(
        err_.str(),
        "vxra: unknown report type 'laps': practice, qualifying, warmup, race, lapchart, lapbylap, flags, "
        "settings or complete\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(run({"report", "race"}), kExitUsage);
    EXPECT_EQ(run({"report", "race", replay_.string(), "--mph", "--kph"}), kExitUsage);
}

}  // namespace
