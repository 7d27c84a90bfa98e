#include "CliApp.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Commands.h"
#include "MemorySettings.h"
#include "settings/MemorySettingsStore.h"
#include "settings/Settings.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class CliAppTest : public testing::Test {
protected:
    void SetUp() override {
        Settings::setStoreFactory([this] {
            return SettingsStores{std::make_unique<MemorySettingsStore>(), std::move(machine_)};
        });
        Settings::resetInstance();
        registerAllCommands(app_);
    }
    void TearDown() override { useFreshMemorySettings(); }

    CliRun run(std::vector<std::string> args) {
        std::ostringstream out, err;
        int status = app_.run(args, out, err);
        return {status, out.str(), err.str()};
    }

    std::unique_ptr<MemorySettingsStore> machine_ = std::make_unique<MemorySettingsStore>();
    CliApp app_;
};

TEST_F(CliAppTest, HelpListsCommandsAndOptions) {
    CliRun r = run({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Usage: vxra [--sim-dir DIR] COMMAND [ARGUMENTS]\n"), std::string::npos);
    EXPECT_NE(r.out.find("  settings\n      show the stored settings in force (with --sim-dir applied)\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("  --sim-dir DIR  use DIR as the simulator folder for this run; it is not saved\n"),
              std::string::npos);
}

TEST_F(CliAppTest, Version) {
    CliRun r = run({"--version"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "vxra (VELTRA4 Replay Analyser) 1.0\n");
}

TEST_F(CliAppTest, UsageErrorsGoToStderrWithStatusTwo) {
    CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.status, kExitUsage);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "vxra: unknown command 'frobnicate'\nRun 'vxra --help' for usage.\n");

    EXPECT_EQ(run({"--frob"}).err, "vxra: unknown option '--frob'\nRun 'vxra --help' for usage.\n");
    EXPECT_EQ(run({"settings", "--sim-dir"}).err,
              "vxra: --sim-dir needs a folder\nRun 'vxra --help' for usage.\n");
    CliRun nothing = run({});
    EXPECT_EQ(nothing.status, kExitUsage);
    EXPECT_EQ(nothing.out, "");
    EXPECT_NE(nothing.err.find("Usage: vxra"), std::string::npos);
}

TEST_F(CliAppTest, SimDirOverridesTheStoredFolderWithoutSavingIt) {
    machine_->writeString("Directory", "/opt/veltra4");
    MemorySettingsStore* machine = machine_.get();

    CliRun before = run({"settings"});
    EXPECT_NE(before.out.find("Directory = /opt/veltra4\n"), std::string::npos);

    CliRun r = run({"--sim-dir", "/tmp/demo", "settings"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Directory = /tmp/demo");
    EXPECT_EQ(run({"settings", "--sim-dir=/srv/sim"}).out.substr(0, 23), "Directory = /srv/sim\nDo");

    Settings::instance().save();
    EXPECT_EQ(machine->readString("Directory"), "/opt/veltra4");
}

TEST_F(CliAppTest, CommandHelpShowsItsUsage) {
    CliRun r = run({"settings", "--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "Usage: vxra settings\nshow the stored settings in force (with --sim-dir applied)\n");
}

}  // namespace
