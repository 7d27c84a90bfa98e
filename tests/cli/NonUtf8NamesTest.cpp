#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTest.h"

namespace {

namespace fs = std::filesystem;

// A name in Windows-1252 bytes ("Qualifé"), not UTF-8: Linux keeps whatever bytes a name holds.
const std::string kName = "Qualif\xe9";
// The same name in JSON, its bytes read as Windows-1252, as the desktop program shows it.
const std::string kNameInJson = "Qualif\u00e9";

class NonUtf8NamesTest : public DemoCliTest {
protected:
    // A copy of the demo folder with its full weekend renamed to "Qualifé.rpy" and Hollowmere's
    // track file copied into a track "Qualifé".
    static void SetUpTestSuite() {
        copy_ = DemoSimulatorFolder::copy();
        sim_ = copy_.get();
        fs::rename(replay("Rivaldi weekend (saved in race).rpy"), weekend());
        const fs::path track = sim_->path() / "tracks" / kName;
        fs::create_directories(track);
        fs::copy_file(sim_->path() / "tracks/HollowMere/hollowmere.PTF", track / (kName + ".ptf"));
    }
    static void TearDownTestSuite() {
        sim_ = &DemoSimulatorFolder::shared();
        copy_.reset();
    }
    static std::string weekend() { return replay(kName + ".rpy"); }
    static std::string lap() { return weekend() + ":0:race:2"; }

    static inline std::unique_ptr<const DemoSimulatorFolder> copy_;
};

TEST_F(NonUtf8NamesTest, EveryJsonOutputIsValidUtf8) {
    struct Case {
        std::vector<std::string> args;
        std::string pointer;   // where the name shows, if it does
        std::string expected;  // what it shows there
    };
    const std::string replayInJson = (sim_->path() / "replay" / (kNameInJson + ".rpy")).string();
    const Case cases[] = {
        {{"info", weekend()}, "/header/fileName", replayInJson},
        {{"find", "rivaldi"}, "/rows/0/path", replayInJson},
        {{"find", kName}, "/track", kNameInJson},
        {{"track", kName}, "/trackName", kNameInJson},
        {{"laps", weekend()}, "", ""},
        {{"lap", weekend(), "--driver", "0", "--session", "race", "--lap", "2"}, "", ""},
        {{"graph", lap(), lap(), "--channel", "speed", "--difference"}, "", ""},
        {{"compare", lap(), lap()}, "/laps/0/lap", replayInJson + ":0:race:2"},
        {{"gears", lap()}, "", ""},
        {{"racechart", weekend()}, "", ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        SCOPED_TRACE(args.front());
        ASSERT_EQ(vxra(args).status, kExitOk) << last_.err;
        const auto json = nlohmann::json::parse(last_.out);  // throws on bytes that are not UTF-8
        if (!c.pointer.empty()) {
            EXPECT_EQ(json.at(nlohmann::json::json_pointer(c.pointer)), c.expected);
        }
    }
}

TEST_F(NonUtf8NamesTest, AReportFileNameTooLongForTheSystemIsAFileError) {
    TempDir out;
    const std::string tooLong = (out.path() / std::string(300, 'r')).string();
    EXPECT_EQ(vxra({"report", "race", weekend(), "-o", tooLong}).status, kExitFailure);
    EXPECT_EQ(last_.out, "");
    EXPECT_EQ(last_.err, "vxra: Error creating file!\n");
}

}  // namespace
