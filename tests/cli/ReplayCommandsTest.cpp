#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"
#include "ConstantPaceReplay.h"
#include "TempDir.h"

namespace {

class ReplayCommandsTest : public DemoCliTest {
protected:
    void SetUp() override {
        ConstantPaceReplay fixture = ConstantPaceReplay::twoCars();
        fixture.cars[1].driver.firstName = "J\xE9r\xF4me";  // Windows-1252
        fixture.cars[1].missingFrames = {2000};
        replay_ = dir_.write("weekend.rpy", fixture.writer().bytes()).string();
    }

    TempDir dir_;
    std::string replay_;
};

TEST_F(ReplayCommandsTest, InfoAsJsonUsesTheRecordsFieldNamesAndAsTextTheSame) {
    const CliOutput r = run({"info", replay_, "--json"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["header"]["formatVersion"], 3);
    EXPECT_EQ(json["header"]["trackName"], "testring");
    EXPECT_EQ(json["driverTable"]["driverCount"], 2);
    EXPECT_EQ(json["driverTable"]["sessionPresent"], nlohmann::json::array({"practice"}));
    const auto& ai = json["driverTable"]["drivers"][1];
    EXPECT_EQ(ai["firstName"], "J\u00e9r\u00f4me");
    EXPECT_EQ(ai["driverKind"], "AI-car");
    const auto& lap1 = ai["sessions"]["practice"]["laps"][1];
    EXPECT_EQ(lap1["lapEntry"], 50000);
    EXPECT_EQ(lap1["selectable"], true);
    EXPECT_EQ(ai["sessions"]["practice"]["laps"].size(), 4u);

    const CliOutput text = run({"info", replay_});
    ASSERT_EQ(text.status, kExitOk) << text.err;
    EXPECT_NE(text.out.find("header:\n  fileName: " + replay_ + "\n  formatVersion: 3\n"), std::string::npos)
        << text.out;
    EXPECT_NE(
        text.out.find("        - {slot: 1, lapEntry: 50000, duration: 50000, flags: 0, selectable: true}\n"),
        std::string::npos)
        << text.out;
}

TEST_F(ReplayCommandsTest, LapSummaryAndSamples) {
    const CliOutput r = run({"lap", replay_, "--driver", "1", "--session", "practice", "--lap", "2"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(r.out.find("missingSamples: 1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("startFrame: 1873\n"), std::string::npos) << r.out;

    const CliOutput csv = run({"lap", replay_, "--driver=1", "--session=practice", "--lap=2", "--csv"});
    ASSERT_EQ(csv.status, kExitOk) << csv.err;
    std::istringstream lines(csv.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line,
              "sample,distance,lateral,gear,revs,orientation,roll,pitch,steering,aux1,aux2,distanceM,"
              "lateralM,speed");
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 2), "1,");
    int rows = 1;
    while (std::getline(lines, line))
        ++rows;
    EXPECT_GT(rows, 1700);
}

TEST_F(ReplayCommandsTest, LapsListsTheLapDialogsTree) {
    const CliOutput r = run({"laps", replay_});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(
        r.out.substr(0, r.out.find("J\u00e9r\u00f4me")),
        "Ann Owner #7\n  Practice Laps\n    Time before start/finish: 0m 02.000s\n  * Lap 1: 0m 50.000s\n"
        "  * Lap 2: 0m 50.000s\n  * Lap 3: 0m 50.000s\n");
    EXPECT_NE(r.out.find("\nSaved by: Ann Owner\nTrack: testring\n"), std::string::npos) << r.out;
    const CliOutput selectable = run({"laps", replay_, "--selectable"});
    EXPECT_EQ(selectable.out.find("Time before start/finish"), std::string::npos);
}

TEST_F(ReplayCommandsTest, LapWithTheTrackAddsSplitTimesAndTheLapTimeCheckInTextJsonAndCsv) {
    const auto lap = [&](std::vector<std::string> format) {
        format.insert(format.begin(), {"lap", replay("Rivaldi weekend (saved in race).rpy"), "--driver", "0",
                                       "--session", "race", "--lap", "2"});
        return vxra(format);
    };
    const CliOutput r = lap({});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(r.out.find("splitTime1: 0:"), std::string::npos) << r.out;
    EXPECT_NE(
        r.out.find("\nQuality report:\nOnline quality of lapdata: 100%\nLargest online gap: 0 seconds\n"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\nLap time check:\nThe stored lap time agrees with the telemetry.\n"),
              std::string::npos);
    const CliOutput json = lap({"--json"});
    ASSERT_EQ(json.status, kExitOk) << json.err;
    const auto fields = nlohmann::json::parse(json.out);
    EXPECT_EQ(fields["lapTimeCheck"], "The stored lap time agrees with the telemetry.");
    EXPECT_EQ(fields["splitTime1"].get<std::string>().substr(0, 2), "0:");
    const CliOutput csv = lap({"--csv"});
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
              "sample,distance,lateral,gear,revs,orientation,roll,pitch,steering,aux1,aux2,distanceM,"
              "lateralM,speed,heading,slip,slipMinusSteering");
}

TEST_F(ReplayCommandsTest, TrackmapDrawsTheLapsIntoABitmap) {
    const std::string lap = weekendRaceLap(0);
    const std::string target = (dir_ / "rivaldi").string();
    const CliOutput r = vxra({"trackmap", lap, "-o", target, "--size", "100"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out, target + ".bmp\n");
    EXPECT_EQ(std::filesystem::file_size(target + ".bmp"), 100u * 52u + 122u);

    EXPECT_EQ(run({"trackmap", lap, "-o", target, "--size", "15"}).status, kExitUsage);
    const CliOutput noTrack = run({"--sim-dir", dir_.path().string(), "trackmap", lap, "-o", target});
    EXPECT_EQ(noTrack.status, kExitFailure);
    EXPECT_EQ(noTrack.err.substr(noTrack.err.size() - 17), "No track loaded!\n");
    const CliOutput unwritable = vxra({"trackmap", lap, "-o", (dir_ / "no folder" / "map.bmp").string()});
    EXPECT_EQ(unwritable.status, kExitFailure);
    EXPECT_EQ(unwritable.err, "vxra: Error creating file!\n");
}

TEST_F(ReplayCommandsTest, FailuresSayWhyOnStderr) {
    const std::string absent = (dir_ / "absent.rpy").string();
    const CliOutput missing = run({"info", absent});
    EXPECT_EQ(missing.status, kExitFailure);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "vxra: HeaderClass: Error reading file!\nvxra: " + absent + ": No such file or directory\n");

    const CliOutput notSelectable =
        run({"lap", replay_, "--driver", "0", "--session", "practice", "--lap", "0"});
    EXPECT_EQ(notSelectable.status, kExitFailure);
    EXPECT_EQ(notSelectable.err,
              "vxra: RpyDataClass: Error reading file!\nvxra: the lap is not selectable\n");

    const CliOutput badSession = run({"lap", replay_, "--driver", "0", "--session", "sprint", "--lap", "1"});
    EXPECT_EQ(badSession.status, kExitUsage);
    EXPECT_EQ(badSession.err,
              "vxra: --session takes practice, qualifying, warmup or race\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(run({"lap", replay_}).status, kExitUsage);
    EXPECT_EQ(run({"info"}).status, kExitUsage);
}

TEST_F(ReplayCommandsTest, ALapThatDoesNotLoadFailsTheCommand) {
    const std::string good = replay_ + ":1:practice:2", absent = replay_ + ":0:practice:99";
    // The first lap of a document looks for its track, which this simulator folder lacks.
    const std::string noTrack =
        "vxra: Can't find track for this replay!\nYou'll not be able to see any track maps nor speed "
        "data!\nMake sure VELTRA4 Path is set correctly in File->Settings\n\nDetailed error message:\n"
        "Error: cannot open track file\n";
    const std::string noLap = "vxra: RpyDataClass: Error reading file!\n";
    const std::string oneOfTwo = "vxra: 1 of 2 laps could not be loaded\n";
    const std::string none = "vxra: No replay lap loaded!\n";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"graph", good, absent, "--channel", "speed", "--difference", "--json"}, noTrack + noLap + oneOfTwo},
        {{"graph", absent, "--channel", "speed"}, noTrack + noLap + none},
        {{"sectors", absent, good}, noTrack + noLap + noTrack + oneOfTwo},
        {{"trackmap", good, absent, "-o", (dir_ / "map.bmp").string()}, noTrack + noLap + oneOfTwo},
        {{"gears", absent}, noTrack + noLap + none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front());
        EXPECT_EQ(run(c.args).status, kExitFailure);
        EXPECT_EQ(last_.out, "");
        EXPECT_EQ(last_.err, c.err);
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ / "map.bmp"));
}

TEST_F(ReplayCommandsTest, LapsAndLapAsJson) {
    const CliOutput laps = run({"laps", replay_, "--json"});
    ASSERT_EQ(laps.status, kExitOk) << laps.err;
    const auto tree = nlohmann::json::parse(laps.out);
    const auto& owner = tree["drivers"][0];
    EXPECT_EQ(owner["title"], "Ann Owner #7");
    EXPECT_EQ(owner["sessions"][0]["session"], "practice");
    EXPECT_EQ(owner["sessions"][0]["title"], "Practice Laps");
    EXPECT_EQ(owner["sessions"][0]["laps"][1],
              (nlohmann::json{{"slot", 1}, {"label", "Lap 1: 0m 50.000s"}, {"selectable", true}}));
    EXPECT_EQ(tree["drivers"][1]["title"], "J\u00e9r\u00f4me Bot #12") << "Windows-1252 names in UTF-8";
    EXPECT_EQ(tree["description"][0], (nlohmann::json{{"label", "Saved by:"}, {"value", "Ann Owner"}}));

    const CliOutput lap =
        run({"lap", replay_, "--driver", "1", "--session", "practice", "--lap", "2", "--json"});
    ASSERT_EQ(lap.status, kExitOk) << lap.err;
    const auto fields = nlohmann::json::parse(lap.out);
    EXPECT_EQ(fields["missingSamples"], 1);
    EXPECT_EQ(fields["startFrame"], 1873);
    EXPECT_EQ(
        fields["qualityReport"],
        "Online quality of lapdata: 99%\nLargest online gap: 0 seconds\n\nIf you don't wish to see this "
        "report - \nturn it off in File->Settings");
    EXPECT_FALSE(fields.contains("lapTimeCheck")) << "no track: no check";
    EXPECT_FALSE(fields.contains("splitTime1"));

    const CliOutput both =
        run({"lap", replay_, "--driver=1", "--session=practice", "--lap=2", "--csv", "--json"});
    EXPECT_EQ(both.status, kExitUsage);
    EXPECT_EQ(both.err, "vxra: give --csv or --json, not both\nRun 'vxra --help' for usage.\n");
}

}  // namespace
