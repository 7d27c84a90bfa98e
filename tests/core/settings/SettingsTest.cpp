#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MemorySettings.h"
#include "settings/MemorySettingsStore.h"

namespace {

struct Backing {
    std::shared_ptr<MemorySettingsStore> user = std::make_shared<MemorySettingsStore>();
    std::shared_ptr<MemorySettingsStore> machine;
    std::shared_ptr<std::vector<std::string>> writes = std::make_shared<std::vector<std::string>>();

    explicit Backing(bool machineWritable = true)
        : machine(std::make_shared<MemorySettingsStore>(machineWritable)) {}

    SettingsStores stores() const {
        return {std::make_unique<SharedStore>(user, writes, "user:"),
                std::make_unique<SharedStore>(machine, writes, "machine:")};
    }
};

TEST(Settings, FirstStartGivesDefaults) {
    Backing backing;
    Settings s(backing.stores());
    EXPECT_EQ(s.speedUnit(), 0);
    EXPECT_EQ(s.dontShowQualReport(), 0);
    EXPECT_EQ(s.retireInRaceReport(), 0);
    EXPECT_EQ(s.offTheTrackInRaceReport(), 0);
    EXPECT_EQ(s.bmpSizeInPixel(), 768);
    EXPECT_EQ(s.altRpyPath(), "");
    EXPECT_EQ(s.recordsPath(), "");
    EXPECT_EQ(s.defaultPlayerIndex(), -1);
    EXPECT_EQ(s.spyGirlMsg(), 0);
    EXPECT_EQ(s.simulatorDirectory(), "");
}

TEST(Settings, EveryValueSurvivesSaveAndLoad) {
    Backing backing;
    {
        Settings s(backing.stores());
        s.setSpeedUnit(1);
        s.setDontShowQualReport(1);
        s.setRetireInRaceReport(1);
        s.setOffTheTrackInRaceReport(1);
        s.setBmpSizeInPixel(1024);
        s.setAltRpyPath("/home/u/replays");
        s.setRecordsPath("/home/u/records");
        s.setDefaultPlayerIndex(3);
        s.setSpyGirlMsg(7);
        s.setSimulatorDirectory("/opt/veltra4");
        s.save();
    }
    Settings s(backing.stores());
    EXPECT_EQ(s.speedUnit(), 1);
    EXPECT_EQ(s.dontShowQualReport(), 1);
    EXPECT_EQ(s.retireInRaceReport(), 1);
    EXPECT_EQ(s.offTheTrackInRaceReport(), 1);
    EXPECT_EQ(s.bmpSizeInPixel(), 1024);
    EXPECT_EQ(s.altRpyPath(), "/home/u/replays");
    EXPECT_EQ(s.recordsPath(), "/home/u/records");
    EXPECT_EQ(s.defaultPlayerIndex(), 3);
    EXPECT_EQ(s.spyGirlMsg(), 7);
    EXPECT_EQ(s.simulatorDirectory(), "/opt/veltra4");
}

TEST(Settings, SaveWritesDirectoryFirstThenUserValuesInOrder) {
    Backing backing;
    Settings(backing.stores()).save();
    const std::vector<std::string> expected{"machine:Directory",       "user:DontShowQualReport",
                                            "user:RetireInRaceReport", "user:OffTheTrackInRaceReport",
                                            "user:BMPSizeInPixel",     "user:MPH",
                                            "user:AltRpyPath",         "user:RecordsPath",
                                            "user:DefaultPlayerIndex", "user:SpyGirlMsg"};
    EXPECT_EQ(*backing.writes, expected);
}

TEST(Settings, WrongTypedValuesTakeTheirDefaults) {
    Backing backing;
    backing.user->writeString("MPH", "yes");
    backing.user->writeString("BMPSizeInPixel", "large");
    backing.user->writeString("DefaultPlayerIndex", "first");
    backing.user->writeInt("AltRpyPath", 12);
    backing.machine->writeInt("Directory", 5);
    Settings s(backing.stores());
    EXPECT_EQ(s.speedUnit(), 0);
    EXPECT_EQ(s.bmpSizeInPixel(), 768);
    EXPECT_EQ(s.defaultPlayerIndex(), -1);
    EXPECT_EQ(s.altRpyPath(), "");
    EXPECT_EQ(s.simulatorDirectory(), "");
}

TEST(Settings, DirectoryLivesInTheMachineStoreWhenItCanBeWritten) {
    Backing backing;
    backing.user->writeString("Directory", "/old/user/copy");
    Settings s(backing.stores());
    EXPECT_EQ(s.simulatorDirectory(), "/old/user/copy");
    s.setSimulatorDirectory("/opt/veltra4");
    s.save();
    EXPECT_EQ(backing.machine->readString("Directory"), "/opt/veltra4");
    EXPECT_EQ(backing.user->readString("Directory"), std::nullopt)
        << "the user's copy would hide the machine value";
}

TEST(Settings, DirectoryFallsBackToTheUserStoreWhichThenTakesPrecedence) {
    Backing backing(/*machineWritable=*/false);
    {
        Settings s(backing.stores());
        s.setSimulatorDirectory("/home/u/veltra4");
        s.save();
    }
    EXPECT_EQ(backing.machine->readString("Directory"), std::nullopt);
    EXPECT_EQ(backing.user->readString("Directory"), "/home/u/veltra4");
    EXPECT_EQ(Settings(backing.stores()).simulatorDirectory(), "/home/u/veltra4");
}

TEST(Settings, FolderForThisRunIsUsedButNeverSaved) {
    Backing backing;
    backing.machine->writeString("Directory", "/opt/veltra4");
    Settings s(backing.stores(), "/tmp/demo");
    EXPECT_EQ(s.simulatorDirectory(), "/tmp/demo");
    s.save();
    EXPECT_EQ(backing.machine->readString("Directory"), "/opt/veltra4");

    s.setSimulatorDirectory("/srv/veltra4");  // the user changed the path in the Settings dialog
    EXPECT_EQ(s.simulatorDirectory(), "/srv/veltra4");
    s.save();
    EXPECT_EQ(backing.machine->readString("Directory"), "/srv/veltra4");
}

}  // namespace
