#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "common/PathText.h"

namespace {

namespace fs = std::filesystem;

// Names beyond any ANSI code page, as UTF-8: on Windows they become UTF-16 names, so only a path
// made from them as UTF-8 reaches the file.
const std::string kSimulator = "J\u00f6rg \u2013 VELTRA Racing 4";
const std::string kReplay = "Kv\u00e4llsrace \u0141\u00f3d\u017a.rpy";
const std::string kTrack = "Fj\u00e4llbacka";
const std::string kReport = "Rapport G\u00f6teborg.txt";

// A copy of the demo folder in a folder named kSimulator, with its full weekend renamed kReplay and
// Hollowmere's track file copied into a track kTrack.
class UnicodeNamesTest : public CliTest {
protected:
    static void SetUpTestSuite() {
        root_ = std::make_unique<TempDir>();
        fs::copy(DemoSimulatorFolder::shared().path(), simulator(), fs::copy_options::recursive);
        fs::rename(simulator() / "replay" / "Rivaldi weekend (saved in race).rpy", weekend());
        const fs::path track = simulator() / "tracks" / pathFromString(kTrack);
        fs::create_directories(track);
        fs::copy_file(simulator() / "tracks/HollowMere/hollowmere.PTF",
                      track / pathFromString(kTrack + ".ptf"));
    }
    static void TearDownTestSuite() { root_.reset(); }

    static fs::path simulator() { return root_->path() / pathFromString(kSimulator); }
    static fs::path weekend() { return simulator() / "replay" / pathFromString(kReplay); }
    CliOutput vxra(std::vector<std::string> args) {
        args.insert(args.begin(), {"--sim-dir", pathString(simulator())});
        return run(args);
    }

    static inline std::unique_ptr<TempDir> root_;
};

TEST_F(UnicodeNamesTest, ReplaysTracksAndReportsAreFoundAndNamedAsTheyAre) {
    ASSERT_EQ(vxra({"info", pathString(weekend()), "--json"}).status, kExitOk) << last_.err;
    EXPECT_EQ(nlohmann::json::parse(last_.out).at("/header/fileName"_json_pointer), pathString(weekend()));

    ASSERT_EQ(vxra({"find", "rivaldi", "--json"}).status, kExitOk) << last_.err;
    EXPECT_EQ(nlohmann::json::parse(last_.out).at("/rows/0/path"_json_pointer), pathString(weekend()));

    // With the replay's track from the simulator folder, the lap has its lap-time check.
    ASSERT_EQ(
        vxra({"lap", pathString(weekend()), "--driver", "0", "--session", "race", "--lap", "2", "--json"})
            .status,
        kExitOk)
        << last_.err;
    EXPECT_TRUE(nlohmann::json::parse(last_.out).contains("lapTimeCheck")) << last_.out;

    ASSERT_EQ(vxra({"track", kTrack, "--json"}).status, kExitOk) << last_.err;
    EXPECT_EQ(nlohmann::json::parse(last_.out).at("/trackName"_json_pointer), kTrack);

    const fs::path report = simulator() / pathFromString(kReport);
    ASSERT_EQ(vxra({"report", "race", pathString(weekend()), "-o", pathString(report)}).status, kExitOk)
        << last_.err;
    EXPECT_EQ(last_.out, pathString(report) + "\n");
    EXPECT_TRUE(fs::is_regular_file(report));
}

}  // namespace
