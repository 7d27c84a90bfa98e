// The command-line tool reads the desktop program's settings with the core's own reader: what Qt's
// store writes, the core's reads back the same, from the same places.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "OddIniTexts.h"
#include "desktop/settings/QtSettingsStore.h"
#include "settings/PlatformSettingsStores.h"
#include "settings/Settings.h"

namespace {

// Points Qt's settings scopes and the XDG variables the core's reader follows at one temporary
// folder; the variables are put back afterwards.
class QtSettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("user"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir_.filePath("system"));
        qputenv("XDG_CONFIG_HOME", dir_.filePath("user").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (dir_.filePath("none") + ":" + dir_.filePath("system")).toLocal8Bit());
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", configHome_);
        restore("XDG_CONFIG_DIRS", configDirs_);
    }

    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir dir_;
    const QByteArray configHome_ = qgetenv("XDG_CONFIG_HOME");
    const QByteArray configDirs_ = qgetenv("XDG_CONFIG_DIRS");
};

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
        const QString file = folder + "/Veltra4 Replay Analyser/Veltra4 Replay Analyser.conf";
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(odd.text.data(), static_cast<qint64>(odd.text.size()));
        out.close();
        const SettingsStores stores = makeQtSettingsStores();
        EXPECT_EQ(stores.user->readString(odd.key), odd.string) << odd.name;
        EXPECT_EQ(stores.user->readInt(odd.key), odd.number) << odd.name;
    }
}

}  // namespace
