#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CliApp.h"
#include "Commands.h"
#include "MemorySettings.h"
#include "OvalTrack.h"
#include "TempDir.h"

namespace {

class TrackCommandTest : public testing::Test {
protected:
    void SetUp() override {
        useFreshMemorySettings();
        registerAllCommands(app_);
        std::filesystem::create_directories(sim_ / "tracks/Oval");
        writeFile(sim_ / "tracks/Oval/oval.dat",
                  trackArchive({{"oval.ptf", trackStream(ovalTrack()), true}}));
        std::ofstream(sim_ / "tracks/Oval/track.ini") << trackIni(800 + 200 * std::numbers::pi);
    }
    void TearDown() override { useFreshMemorySettings(); }

    int run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return app_.run(args, out_, err_);
    }

    TempDir sim_;
    CliApp app_;
    std::ostringstream out_, err_;
};

TEST_F(TrackCommandTest, DescribesTheTrackAndPlacesPositions) {
    ASSERT_EQ(
        run({"--sim-dir", sim_.path().string(), "track", "oval", "--json", "--at", "100,5", "--at=5000,0"}),
        kExitOk)
        << err_.str();
    const auto json = nlohmann::json::parse(out_.str());
    EXPECT_EQ(json["compressed"], true);
    EXPECT_EQ(json["segmentCount"], 4);
    EXPECT_NEAR(json["totalLength"].get<double>(), 800 + 200 * std::numbers::pi, 1e-9);
    EXPECT_NEAR(json["trackIniLength"].get<double>(), 800 + 200 * std::numbers::pi, 0.01);
    EXPECT_NEAR(json["boundingBox"]["minX"].get<double>(), -100.0, 1e-9);
    EXPECT_EQ(json["markers"].size(), 4u);
    EXPECT_NEAR(json["at"][0]["point"][1].get<double>(), 5, 1e-9);
    EXPECT_EQ(json["at"][1]["point"], "off track");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(TrackCommandTest, Failures) {
    EXPECT_EQ(run({"--sim-dir", sim_.path().string(), "track", "imola"}), kExitFailure);
    EXPECT_EQ(err_.str(), "Error: cannot open track file\n");

    EXPECT_EQ(run({"--sim-dir", sim_.path().string(), "track", "oval", "--at", "1;2"}), kExitUsage);
    EXPECT_EQ(err_.str(),
              "vxra: --at takes DISTANCE,LATERAL in metres, not '1;2'\nRun 'vxra --help' for usage.\n");

    std::filesystem::remove(sim_ / "tracks/Oval/track.ini");
    EXPECT_EQ(run({"--sim-dir", sim_.path().string(), "track", "oval"}), kExitOk);
    EXPECT_EQ(err_.str(),
              "Track.ini or entire track seems to be missing in the tracks directory: Speeds will be "
              "misreported in "
              "the reports!\n");
    EXPECT_NE(out_.str().find("totalLength: 1428.319\n"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("  minX: -100\n"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("trackIniLength: 0\nat:\n"), std::string::npos) << out_.str();
}

}  // namespace
