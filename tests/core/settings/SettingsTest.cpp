#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MemorySettings.h"
#include "settings/MemorySettingsStore.h"

namespace {

struct Backing {
    std::shared_ptr<MemorySettingsStore> user = std::make_shared<MemorySettingsStore>();
    std::shared_ptr<MemorySettingsStore> machine = std::make_shared<MemorySettingsStore>();
    std::shared_ptr<std::vector<std::string>> writes = std::make_shared<std::vector<std::string>>();

    SettingsStores stores() const {
        return {std::make_unique<SharedStore>(user, writes, "user:"),
                std::make_unique<SharedStore>(machine, writes, "machine:")};
    }
};

// Every value in force, in the order of the setters below.
std::vector<std::string> valuesOf(const Settings& s) {
    return {std::to_string(s.speedInMph()),
            std::to_string(s.dontShowQualReport()),
            std::to_string(s.retireInRaceReport()),
            std::to_string(s.offTheTrackInRaceReport()),
            std::to_string(s.bmpSizeInPixel()),
            s.altRpyPath(),
            s.recordsPath(),
            std::to_string(s.defaultPlayerIndex()),
            std::to_string(s.spyGirlMsg()),
            s.simulatorDirectory()};
}

const std::vector<std::string> kDefaults{"0", "0", "0", "0", "768", "", "", "-1", "0", ""};

TEST(Settings, FirstStartGivesDefaultsAndEveryValueSurvivesSaveAndLoad) {
    Backing backing;
    {
        Settings s(backing.stores());
        EXPECT_EQ(valuesOf(s), kDefaults);
        s.setSpeedInMph(true);
        s.setDontShowQualReport(true);
        s.setRetireInRaceReport(true);
        s.setOffTheTrackInRaceReport(true);
        s.setBmpSizeInPixel(1024);
        s.setAltRpyPath("/home/u/replays");
        s.setRecordsPath("/home/u/records");
        s.setDefaultPlayerIndex(3);
        s.setSpyGirlMsg(7);
        s.setSimulatorDirectory("/opt/veltra4");
        s.save();
    }
    for (const char* key : {"MPH", "DontShowQualReport", "RetireInRaceReport", "OffTheTrackInRaceReport"})
        EXPECT_EQ(backing.user->readInt(key), 1) << key << ": a switch is stored as the integer 1";
    EXPECT_EQ(valuesOf(Settings(backing.stores())),
              (std::vector<std::string>{"1", "1", "1", "1", "1024", "/home/u/replays", "/home/u/records", "3",
                                        "7", "/opt/veltra4"}));
}

TEST(Settings, SaveWritesTheChosenDirectoryFirstThenUserValuesInOrder) {
    std::vector<std::string> values;
    for (const char* key :
         {"DontShowQualReport", "RetireInRaceReport", "OffTheTrackInRaceReport", "BMPSizeInPixel", "MPH",
          "AltRpyPath", "RecordsPath", "DefaultPlayerIndex", "SpyGirlMsg"})
        values.push_back(std::string("user:") + key);
    Backing backing;
    backing.machine->writeString("Directory", "/opt/veltra4");
    Settings s(backing.stores());
    s.save();
    EXPECT_EQ(*backing.writes, values) << "no folder chosen: none written";

    backing.writes->clear();
    s.setSimulatorDirectory("/srv/veltra4");
    s.save();
    std::vector<std::string> withDirectory{"user:Directory"};
    withDirectory.insert(withDirectory.end(), values.begin(), values.end());
    EXPECT_EQ(*backing.writes, withDirectory) << "the simulator's own setup is never written";
}

TEST(Settings, WrongTypedValuesTakeTheirDefaults) {
    Backing backing;
    backing.user->writeString("MPH", "yes");
    backing.user->writeString("BMPSizeInPixel", "large");
    backing.user->writeString("DefaultPlayerIndex", "first");
    backing.user->writeInt("AltRpyPath", 12);
    backing.machine->writeInt("Directory", 5);
    EXPECT_EQ(valuesOf(Settings(backing.stores())), kDefaults);
}

struct DirectoryCase {
    const char* what;
    std::optional<std::string> chosen;  // the user's store
    std::optional<std::string> simulatorsOwn;
    std::optional<std::string> forThisRun;
    std::string inForce;
};

TEST(Settings, TheChosenDirectoryWinsOverTheSimulatorsOwnAndThisRunsOverBoth) {
    const std::vector<DirectoryCase> cases{
        {"only the simulator's", std::nullopt, "/opt/veltra4", std::nullopt, "/opt/veltra4"},
        {"the user's choice wins", "/home/u/veltra4", "/opt/veltra4", std::nullopt, "/home/u/veltra4"},
        {"an empty choice is none", "", "/opt/veltra4", std::nullopt, "/opt/veltra4"},
        {"this run's over both", "/home/u/veltra4", "/opt/veltra4", "/tmp/demo", "/tmp/demo"},
    };
    for (const DirectoryCase& c : cases) {
        SCOPED_TRACE(c.what);
        Backing backing;
        if (c.chosen) backing.user->writeString("Directory", *c.chosen);
        if (c.simulatorsOwn) backing.machine->writeString("Directory", *c.simulatorsOwn);
        EXPECT_EQ(Settings(backing.stores(), c.forThisRun).simulatorDirectory(), c.inForce);
    }
}

TEST(Settings, ThisRunsFolderIsNeverSavedButAChosenOneIsKeptWithTheUser) {
    Backing backing;
    backing.machine->writeString("Directory", "/opt/veltra4");
    Settings s(backing.stores(), "/tmp/demo");
    s.save();
    EXPECT_EQ(backing.user->readString("Directory"), std::nullopt);

    s.setSimulatorDirectory("/srv/veltra4");  // the user changed the path in the Settings dialog
    EXPECT_EQ(s.simulatorDirectory(), "/srv/veltra4");
    s.save();
    EXPECT_EQ(backing.user->readString("Directory"), "/srv/veltra4");
    EXPECT_EQ(backing.machine->readString("Directory"), "/opt/veltra4");
    EXPECT_EQ(Settings(backing.stores()).simulatorDirectory(), "/srv/veltra4");
}

}  // namespace
