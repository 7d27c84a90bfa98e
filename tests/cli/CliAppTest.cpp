#include "CliApp.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>

#include "CliTest.h"

namespace {

using CliAppTest = CliTest;

TEST_F(CliAppTest, HelpListsCommandsOptionsAndEachCommandsOptionsFromItsTable) {
    const CliOutput r = run({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.err, "");
    for (const char* line :
         {"Usage: vxra [--sim-dir DIR] COMMAND [ARGUMENTS]\n",
          "  settings\n      show the stored settings in force (with --sim-dir applied)\n",
          "  --sim-dir DIR  use DIR as the simulator folder for this run; it is not saved\n",
          "  lap FILE --driver N --session SESSION --lap SLOT [--csv] [--json]\n",
          "        --session SESSION  practice, qualifying, warmup or race\n",
          "  laps FILE [--selectable] [--json]\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
}

TEST_F(CliAppTest, VersionCommandHelpAndUsageErrorsGiveTheirStatusAndTexts) {
    const std::string usage = "\nRun 'vxra --help' for usage.\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err;
    } cases[] = {
        {{"--version"}, kExitOk, "vxra (VELTRA4 Replay Analyser) 1.0\n", ""},
        {{"settings", "--help"},
         kExitOk,
         "Usage: vxra settings\nshow the stored settings in force (with --sim-dir applied)\n",
         ""},
        {{"frobnicate"}, kExitUsage, "", "vxra: unknown command 'frobnicate'" + usage},
        {{"--frob"}, kExitUsage, "", "vxra: unknown option '--frob'" + usage},
        {{"settings", "--sim-dir"}, kExitUsage, "", "vxra: --sim-dir needs a folder" + usage},
        // Only the commands that print a document take --json.
        {{"settings", "--json"}, kExitUsage, "", "vxra: unknown option '--json'" + usage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + (c.args.size() > 1 ? " " + c.args[1] : ""));
        const CliOutput r = run(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(run({"lap", "--help"}).out.substr(0, 77),
              "Usage: vxra lap FILE --driver N --session SESSION --lap SLOT [--csv] [--json]");
    const CliOutput nothing = run({});
    EXPECT_EQ(nothing.status, kExitUsage);
    EXPECT_EQ(nothing.out, "");
    EXPECT_NE(nothing.err.find("Usage: vxra"), std::string::npos);
}

TEST_F(CliAppTest, SimDirOverridesTheStoredFolderWithoutSavingIt) {
    ASSERT_TRUE(machine_->writeString("Directory", "/opt/veltra4"));

    CliOutput before = run({"settings"});
    EXPECT_NE(before.out.find("Directory = /opt/veltra4\n"), std::string::npos);

    CliOutput r = run({"--sim-dir", "/tmp/demo", "settings"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Directory = /tmp/demo");
    EXPECT_EQ(run({"settings", "--sim-dir=/srv/sim"}).out.substr(0, 23), "Directory = /srv/sim\nDo");

    EXPECT_EQ(machine_->readString("Directory"), "/opt/veltra4");
    EXPECT_EQ(user_->readString("Directory"), std::nullopt);
}

TEST_F(CliAppTest, AnExceptionOutOfACommandIsAFailureNotAnAbort) {
    app_.add({"explode", "", "throws", {}, [](const CliArgs&, CliContext&) -> int {
                  throw std::runtime_error("something gave way");
              }});
    app_.add({"throw-int", "", "throws no std::exception", {}, [](const CliArgs&, CliContext&) -> int {
                  throw 42;
              }});
    for (const auto& [command, message] : {std::pair{"explode", "vxra: something gave way\n"},
                                           std::pair{"throw-int", "vxra: unexpected error\n"}}) {
        SCOPED_TRACE(command);
        const CliOutput r = run({command});
        EXPECT_EQ(r.status, kExitFailure);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, message);
    }
}

// An output whose every write fails, as on a full disk.
class FailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

using CliAppDemoTest = DemoCliTest;

TEST_F(CliAppDemoTest, AnOutputThatCannotBeWrittenIsAFailure) {
    const std::string weekend = replay("Rivaldi weekend (saved in race).rpy");
    const std::vector<std::string> commands[] = {
        {"find", "rivaldi"},
        {"find", "rivaldi", "--json"},
        {"graph", weekendRaceLap(0), "--channel", "speed", "--json"},
        {"lap", weekend, "--driver", "0", "--session", "race", "--lap", "2", "--json"},
    };
    for (std::vector<std::string> args : commands) {
        SCOPED_TRACE(args.front() + " " + args.back());
        args.insert(args.begin(), {"--sim-dir", sim_->path().string()});
        FailingBuffer failing;
        std::ostream out(&failing);
        std::ostringstream err;
        EXPECT_EQ(app_.run(args, out, err), kExitFailure);
        // The text table tells of the demo folder's damaged replays first.
        EXPECT_TRUE(err.str().ends_with("\nvxra: error writing the output\n") ||
                    err.str() == "vxra: error writing the output\n")
            << err.str();
    }
}

}  // namespace
