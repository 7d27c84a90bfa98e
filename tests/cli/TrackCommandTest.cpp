#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"
#include "OvalTrack.h"
#include "TempDir.h"

namespace {

class TrackCommandTest : public CliTest {
protected:
    void SetUp() override {
        std::filesystem::create_directories(sim_ / "tracks/Oval");
        writeFile(sim_ / "tracks/Oval/oval.dat",
                  trackArchive({{"oval.ptf", trackStream(ovalTrack()), true}}));
        std::ofstream(sim_ / "tracks/Oval/track.ini") << trackIni(800 + 200 * std::numbers::pi);
    }

    CliOutput track(std::vector<std::string> args) {
        args.insert(args.begin(), {"--sim-dir", sim_.path().string(), "track"});
        return run(args);
    }

    TempDir sim_;
};

TEST_F(TrackCommandTest, DescribesTheTrackAndPlacesPositions) {
    ASSERT_EQ(track({"oval", "--json", "--at", "100,5", "--at=5000,0"}).status, kExitOk) << last_.err;
    const auto json = nlohmann::json::parse(last_.out);
    EXPECT_EQ(json["compressed"], true);
    EXPECT_EQ(json["segmentCount"], 4);
    EXPECT_NEAR(json["totalLength"].get<double>(), 800 + 200 * std::numbers::pi, 1e-9);
    EXPECT_NEAR(json["trackIniLength"].get<double>(), 800 + 200 * std::numbers::pi, 0.01);
    EXPECT_NEAR(json["boundingBox"]["minX"].get<double>(), -100.0, 1e-9);
    EXPECT_EQ(json["markers"].size(), 4u);
    EXPECT_NEAR(json["at"][0]["point"][1].get<double>(), 5, 1e-9);
    EXPECT_EQ(json["at"][1]["point"], "off track");
    EXPECT_EQ(last_.err, "");
}

TEST_F(TrackCommandTest, Failures) {
    EXPECT_EQ(track({"imola"}).status, kExitFailure);
    EXPECT_EQ(last_.err, "vxra: Error: cannot open track file\n");

    EXPECT_EQ(track({"oval", "--at", "1;2"}).status, kExitUsage);
    EXPECT_EQ(last_.err,
              "vxra: --at takes DISTANCE,LATERAL in metres, not '1;2'\nRun 'vxra --help' for usage.\n");

    std::filesystem::remove(sim_ / "tracks/Oval/track.ini");
    EXPECT_EQ(track({"oval"}).status, kExitOk);
    EXPECT_EQ(last_.err,
              "vxra: Track.ini or entire track seems to be missing in the tracks directory: Speeds will be "
              "misreported in the reports!\n");
    EXPECT_NE(last_.out.find("totalLength: 1428.319\n"), std::string::npos) << last_.out;
    EXPECT_NE(last_.out.find("  minX: -100\n"), std::string::npos) << last_.out;
    EXPECT_NE(last_.out.find("trackIniLength: 0\nat:\n"), std::string::npos) << last_.out;
}

}  // namespace
