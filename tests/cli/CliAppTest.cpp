#include "CliApp.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "CliTest.h"

namespace {

using CliAppTest = CliTest;

TEST_F(CliAppTest, HelpListsCommandsAndOptions) {
    CliOutput r = run({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Usage: vxra [--sim-dir DIR] COMMAND [ARGUMENTS]\n"), std::string::npos);
    EXPECT_NE(r.out.find("  settings\n      show the stored settings in force (with --sim-dir applied)\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("  --sim-dir DIR  use DIR as the simulator folder for this run; it is not saved\n"),
              std::string::npos);
}

TEST_F(CliAppTest, Version) {
    CliOutput r = run({"--version"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "vxra (VELTRA4 Replay Analyser) 1.0\n");
}

TEST_F(CliAppTest, UsageErrorsGoToStderrWithStatusTwo) {
    CliOutput unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.status, kExitUsage);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "vxra: unknown command 'frobnicate'\nRun 'vxra --help' for usage.\n");

    EXPECT_EQ(run({"--frob"}).err, "vxra: unknown option '--frob'\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(run({"settings", "--sim-dir"}).err,
              "vxra: --sim-dir needs a folder\nRun 'vxra --help' for usage.\n");
    CliOutput nothing = run({});
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

TEST_F(CliAppTest, HelpShowsEachCommandsOptionsFromItsTable) {
    const CliOutput r = run({"--help"});
    EXPECT_NE(r.out.find("  lap FILE --driver N --session SESSION --lap SLOT [--csv] [--json]\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("        --session SESSION  practice, qualifying, warmup or race\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("  laps FILE [--selectable] [--json]\n"), std::string::npos);
    EXPECT_EQ(run({"lap", "--help"}).out.substr(0, 77),
              "Usage: vxra lap FILE --driver N --session SESSION --lap SLOT [--csv] [--json]");
    EXPECT_EQ(run({"settings", "--json"}).err,
              "vxra: unknown option '--json'\nRun 'vxra --help' for usage.\n")
        << "only the commands that print a document take --json";
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
        const CliOutput r = run({command});
        EXPECT_EQ(r.status, kExitFailure) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(r.err, message) << command;
    }
}

TEST_F(CliAppTest, CommandHelpShowsItsUsage) {
    CliOutput r = run({"settings", "--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "Usage: vxra settings\nshow the stored settings in force (with --sim-dir applied)\n");
}

}  // namespace
