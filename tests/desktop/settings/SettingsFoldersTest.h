#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <string>

// Points Qt's user scope and the XDG variables both readers follow at one temporary folder; the
// variables are put back afterwards. Qt takes the machine's folders from XDG_CONFIG_DIRS too, as
// long as no test in the program sets its system path: every settings test uses this fixture.
class SettingsFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        useFolders(dir_.path());
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", configHome_);
        restore("XDG_CONFIG_DIRS", configDirs_);
    }

    // The user's folder "user" and the machine's "none" and "system" in a folder.
    static void useFolders(const QString& folder) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder + "/user");
        qputenv("XDG_CONFIG_HOME", (folder + "/user").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (folder + "/none:" + folder + "/system").toLocal8Bit());
    }

    static void writeFile(const QString& file, const std::string& text) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.data(), static_cast<qint64>(text.size()));
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
