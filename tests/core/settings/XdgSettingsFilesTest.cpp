#include "settings/XdgSettingsFiles.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::filesystem::path>;

const std::string kUserFile = "/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf";
const std::string kUserOrganizationFile = "/Veltra4 Replay Analyser.conf";
const std::string kSetupFile = "/Merrow OnLine/Setup.conf";
const std::string kSetupOrganizationFile = "/Merrow OnLine.conf";

// The folders the variables give, as Qt 6.4's settings store takes them.
TEST(XdgSettingsFilesTest, FoldersFromTheVariablesAndTheirDefaults) {
    using std::nullopt;
    struct Case {
        const char* name;
        XdgEnvironment environment;
        std::filesystem::path firstUserFile;
        Paths machineFiles;
    };
    const Paths etcXdg = {"/etc/xdg" + kSetupFile, "/etc/xdg" + kSetupOrganizationFile};
    const Paths underB = {"/b" + kSetupFile, "/b" + kSetupOrganizationFile};
    const std::vector<Case> cases = {
        {"both set",
         {"/a", "/b:/c", "/h"},
         "/a" + kUserFile,
         {"/b" + kSetupFile, "/c" + kSetupFile, "/b" + kSetupOrganizationFile,
          "/c" + kSetupOrganizationFile}},
        {"XDG_CONFIG_HOME unset", {nullopt, "/b", "/h"}, "/h/.config" + kUserFile, underB},
        {"XDG_CONFIG_HOME empty", {"", "/b", "/h"}, "/h/.config" + kUserFile, underB},
        {"HOME unset too", {nullopt, "/b", nullopt}, "/.config" + kUserFile, underB},
        {"a relative XDG_CONFIG_HOME", {"rel", "/b", "/h"}, "rel" + kUserFile, underB},
        {"XDG_CONFIG_DIRS unset", {"/a", nullopt, "/h"}, "/a" + kUserFile, etcXdg},
        {"XDG_CONFIG_DIRS empty", {"/a", "", "/h"}, "/a" + kUserFile, etcXdg},
        // An empty entry names the root folder.
        {"empty entries",
         {"/a", ":/b:", "/h"},
         "/a" + kUserFile,
         {kSetupFile, "/b" + kSetupFile, kSetupFile, kSetupOrganizationFile, "/b" + kSetupOrganizationFile,
          kSetupOrganizationFile}},
    };
    for (const Case& c : cases) {
        const XdgSettingsFiles files = xdgSettingsFiles(c.environment);
        ASSERT_FALSE(files.user.empty()) << c.name;
        EXPECT_EQ(files.user.front(), c.firstUserFile) << c.name;
        EXPECT_EQ(files.machine, c.machineFiles) << c.name;
    }
}

// The user's store reads the user's application and organisation files, then the machine's.
TEST(XdgSettingsFilesTest, TheUsersFilesComeBeforeTheMachines) {
    const XdgSettingsFiles files = xdgSettingsFiles({"/a", "/b:/c", "/h"});
    const Paths expected = {"/a" + kUserFile, "/a" + kUserOrganizationFile, "/b" + kUserFile,
                            "/c" + kUserFile, "/b" + kUserOrganizationFile, "/c" + kUserOrganizationFile};
    EXPECT_EQ(files.user, expected);
}

}  // namespace
