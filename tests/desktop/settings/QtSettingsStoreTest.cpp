#include "desktop/settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QSettings>

#include "SettingsFoldersTest.h"
#include "settings/Settings.h"

namespace {

class QtSettingsStoreTest : public SettingsFoldersTest {
protected:
    QString userFile() const {
        return dir_.filePath("user/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf");
    }
    QString machineFile() const { return dir_.filePath("system/Merrow OnLine/Setup.conf"); }
};

TEST_F(QtSettingsStoreTest, SavesUnderTheProgramsNamesAndOnlyReadsTheSimulatorsSetup) {
    QSettings(machineFile(), QSettings::IniFormat).setValue("VELTRA4/Directory", "/opt/veltra4");
    {
        Settings s(makeQtSettingsStores());
        EXPECT_EQ(s.simulatorDirectory(), "/opt/veltra4");
        s.setSpeedInMph(true);
        s.setAltRpyPath("/home/u/replays, old");
        s.setSimulatorDirectory("/home/u/veltra4");
        s.save();
    }
    QSettings user(userFile(), QSettings::IniFormat);
    EXPECT_EQ(user.value("Settings/MPH").toInt(), 1);
    EXPECT_EQ(user.value("Settings/BMPSizeInPixel").toInt(), 768);
    EXPECT_EQ(user.value("Settings/Directory").toString(), "/home/u/veltra4");
    const QSettings machine(machineFile(), QSettings::IniFormat);
    EXPECT_EQ(machine.allKeys(), QStringList{"VELTRA4/Directory"});
    EXPECT_EQ(machine.value("VELTRA4/Directory").toString(), "/opt/veltra4");

    Settings again(makeQtSettingsStores());
    EXPECT_TRUE(again.speedInMph());
    EXPECT_EQ(again.altRpyPath(), "/home/u/replays, old");
    EXPECT_EQ(again.simulatorDirectory(), "/home/u/veltra4");
}

TEST_F(QtSettingsStoreTest, UnreadableValuesTakeTheirDefaults) {
    {
        QSettings user(userFile(), QSettings::IniFormat);
        user.setValue("Settings/MPH", "kph");
        user.setValue("Settings/BMPSizeInPixel", "99999999999");
        user.setValue("Settings/DefaultPlayerIndex", 2);
        user.setValue("Settings/RecordsPath", QStringList{"a", "b"});
    }
    Settings s(makeQtSettingsStores());
    EXPECT_FALSE(s.speedInMph());
    EXPECT_EQ(s.bmpSizeInPixel(), 768);
    EXPECT_EQ(s.defaultPlayerIndex(), 2);
    EXPECT_EQ(s.recordsPath(), "");
}

}  // namespace
