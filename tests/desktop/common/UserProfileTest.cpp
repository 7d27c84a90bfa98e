#include "desktop/common/UserProfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

class UserProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile_.path());
    }

    QTemporaryDir profile_;
    QTemporaryDir files_;
};

TEST_F(UserProfileTest, EachPurposeRemembersTheFolderOfItsLastChoice) {
    const RememberedFolder open(QStringLiteral("Open"));
    const RememberedFolder bitmap(QStringLiteral("Trackmap bitmap"));
    EXPECT_EQ(open.folderOr("/fallback"), "/fallback");
    EXPECT_EQ(bitmap.fileIn("/sim/replay/Rivaldi.bmp"), "/sim/replay/Rivaldi.bmp");

    ASSERT_TRUE(QDir(files_.path()).mkdir("maps"));
    const QString maps = files_.filePath("maps");
    bitmap.remember(maps + "/new.bmp");  // a file about to be written
    EXPECT_EQ(bitmap.fileIn("/sim/replay/Rivaldi.bmp"), maps + "/Rivaldi.bmp");
    EXPECT_EQ(open.folderOr("/fallback"), "/fallback") << "purposes keep their own folders";
    open.remember(maps);  // a chosen folder
    EXPECT_EQ(open.folderOr("/fallback"), maps);
    EXPECT_EQ(userProfile().value("Folders/Open").toString(), maps) << "kept in the user's profile";

    ASSERT_TRUE(QDir(maps).removeRecursively());
    EXPECT_EQ(open.folderOr("/fallback"), "/fallback") << "a folder that has gone is not offered";
}

}  // namespace
