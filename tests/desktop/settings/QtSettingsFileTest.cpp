// The command-line tool reads the desktop program's settings with the core's own reader: what Qt's
// store writes, the core's reads back the same, from the same places.
#include <gtest/gtest.h>

#include <QSettings>

#include "OddIniTexts.h"
#include "SettingsFoldersTest.h"
#include "desktop/settings/QtSettingsStore.h"
#include "settings/PlatformSettingsStores.h"
#include "settings/Settings.h"

namespace {

class QtSettingsFileTest : public SettingsFoldersTest {};

TEST_F(QtSettingsFileTest, ReadsBackWhatTheDesktopProgramSaved) {
    // Windows-1252 letters, one beyond Latin-1 (the euro sign), and letters beyond Windows-1252.
    const std::string folder =
        "/home/J\xC3\xBCrgen/Spi\xC3\xA9le \xE2\x82\xAC/\xC5\x9D\xE6\x97\xA5\xF0\x9F\x8F\x81";
    const std::string replays = "  C:\\Spiele\\\"Veltra\" 4, old=new; \\\\server\\share  ";
    const std::string records = "@records,\ttab\x01";
    {
        Settings saved(makeQtSettingsStores());
        saved.setSimulatorDirectory(folder);
        saved.setAltRpyPath(replays);
        saved.setRecordsPath(records);
        saved.setSpeedInMph(true);
        saved.setOffTheTrackInRaceReport(true);
        saved.setDontShowQualReport(true);
        saved.setBmpSizeInPixel(1024);
        saved.setDefaultPlayerIndex(-1);
        saved.setSpyGirlMsg(3);
        saved.save();
    }
    const Settings read(makePlatformSettingsStores());
    EXPECT_EQ(read.simulatorDirectory(), folder);
    EXPECT_EQ(read.altRpyPath(), replays);
    EXPECT_EQ(read.recordsPath(), records);
    EXPECT_TRUE(read.speedInMph());
    EXPECT_TRUE(read.offTheTrackInRaceReport());
    EXPECT_TRUE(read.dontShowQualReport());
    EXPECT_FALSE(read.retireInRaceReport());
    EXPECT_EQ(read.bmpSizeInPixel(), 1024);
    EXPECT_EQ(read.defaultPlayerIndex(), -1);
    EXPECT_EQ(read.spyGirlMsg(), 3);
}

// The simulator's own entry, in the second folder of XDG_CONFIG_DIRS (the first has none).
TEST_F(QtSettingsFileTest, ReadsTheSimulatorsSetupFromTheMachinesFolders) {
    const QString directory = QString::fromUtf8("C:\\Program Files\\Merrow, \"VELTRA\" =4 \xC3\xA9");
    QSettings(dir_.filePath("system/Merrow OnLine/Setup.conf"), QSettings::IniFormat)
        .setValue("VELTRA4/Directory", directory);
    EXPECT_EQ(Settings(makeQtSettingsStores()).simulatorDirectory(), directory.toStdString());
    EXPECT_EQ(Settings(makePlatformSettingsStores()).simulatorDirectory(), directory.toStdString());
}

// The table the core's reader is tested with is what Qt's store reads: each text as the desktop
// program's user file, read through the desktop program's own store.
TEST_F(QtSettingsFileTest, QtReadsTheOddTextsAsTheCoresReaderDoes) {
    int textNumber = 0;
    for (const OddIniText& odd : oddIniTexts()) {
        // A folder of its own: Qt keeps files it read in memory.
        const QString folder = dir_.filePath("odd" + QString::number(++textNumber));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        writeFile(folder + "/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf", odd.text);
        const SettingsStores stores = makeQtSettingsStores();
        EXPECT_EQ(stores.user->readString(odd.key), odd.string) << odd.name;
        EXPECT_EQ(stores.user->readInt(odd.key), odd.number) << odd.name;
    }
}

// Qt's store also reads an organisation's shared file and the machine's folders, in its own order;
// the core's reader takes the same files in the same order. Each case writes its files, each holding
// one value (the simulator's folder in Merrow OnLine's files, else the speed unit), then reads it
// with both.
TEST_F(QtSettingsFileTest, ReadsTheFallbackFilesAsQtDoes) {
    struct Case {
        const char* name;
        std::vector<std::pair<QString, std::string>> files;  // path in the folder, value
        std::string value;
    };
    const std::vector<Case> cases = {
        {"the user's organisation file", {{"user/Veltra4 Replay Analyser.conf", "1"}}, "1"},
        {"the application's file in a machine folder",
         {{"system/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf", "2"}},
         "2"},
        {"the organisation's file in a machine folder", {{"system/Veltra4 Replay Analyser.conf", "3"}}, "3"},
        {"the user's application file before the organisation's",
         {{"user/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf", "4"},
          {"user/Veltra4 Replay Analyser.conf", "5"}},
         "4"},
        {"the user's files before the machine's",
         {{"user/Veltra4 Replay Analyser.conf", "6"},
          {"none/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf", "7"}},
         "6"},
        {"every folder's application file before any organisation file",
         {{"none/Veltra4 Replay Analyser.conf", "8"},
          {"system/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf", "9"}},
         "9"},
        {"the simulator's organisation file", {{"system/Merrow OnLine.conf", "/d1"}}, "/d1"},
        {"the simulator's own file before its organisation's",
         {{"none/Merrow OnLine.conf", "/d2"}, {"system/Merrow OnLine/Setup.conf", "/d3"}},
         "/d3"},
    };
    int caseNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A folder of its own: Qt keeps files it read in memory.
        const QString folder = dir_.filePath("fallback" + QString::number(++caseNumber));
        useFolders(folder);
        const bool machine = c.files.front().first.contains("Merrow");
        for (const auto& [file, value] : c.files)
            writeFile(folder + "/" + file, (machine ? "[VELTRA4]\nDirectory=" : "[Settings]\nMPH=") + value);
        const std::string key = machine ? "Directory" : "MPH";
        const SettingsStores qt = makeQtSettingsStores();
        const SettingsStores core = makePlatformSettingsStores();
        EXPECT_EQ((machine ? qt.machine : qt.user)->readString(key), c.value);
        EXPECT_EQ((machine ? core.machine : core.user)->readString(key), c.value);
    }
}

}  // namespace
