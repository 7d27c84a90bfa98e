#include "settings/IniSettingsStore.h"

#include <gtest/gtest.h>

#include <fstream>

#include "OddIniTexts.h"
#include "TempDir.h"

namespace {

TEST(IniSettingsStoreTest, ReadsWhatQtReadsFromOddTexts) {
    for (const OddIniText& odd : oddIniTexts()) {
        IniSettingsStore store("Settings");
        store.addText(odd.text);
        EXPECT_EQ(store.readString(odd.key), odd.string) << odd.name;
        EXPECT_EQ(store.readInt(odd.key), odd.number) << odd.name;
    }
}

// The first text to give a value wins, even a value that is no text; the later ones fill in the
// rest.
TEST(IniSettingsStoreTest, EarlierTextsWin) {
    IniSettingsStore store("VELTRA4");
    store.addText("[VELTRA4]\nDirectory=/first\nList=a,b\n");
    store.addText("[VELTRA4]\nDirectory=/second\nList=c\nOther=1\n");
    EXPECT_EQ(store.readString("Directory"), "/first");
    EXPECT_EQ(store.readString("List"), std::nullopt);
    EXPECT_EQ(store.readInt("Other"), 1);
}

TEST(IniSettingsStoreTest, FilesThatAreMissingTooLargeOrNoFilesAddNothing) {
    const TempDir dir;
    const std::filesystem::path tooLarge = dir / "large.conf";
    {
        std::ofstream file(tooLarge, std::ios::binary);
        file << "[Settings]\nA=1\nB=";
        file << std::string(IniSettingsStore::kMaximumFileSize, 'x');
    }
    const std::filesystem::path good = dir / "good.conf";
    std::ofstream(good, std::ios::binary) << "[Settings]\nA=2\n";

    IniSettingsStore store("Settings");
    store.addFile(dir / "missing.conf");
    store.addFile(dir.path());
    store.addFile(tooLarge);
    EXPECT_EQ(store.readInt("A"), std::nullopt);
    store.addFile(good);
    EXPECT_EQ(store.readInt("A"), 2);
}

TEST(IniSettingsStoreTest, WritesReachNothing) {
    IniSettingsStore store("Settings");
    EXPECT_FALSE(store.writeInt("MPH", 1));
    EXPECT_FALSE(store.writeString("Directory", "/x"));
    EXPECT_EQ(store.readInt("MPH"), std::nullopt);
}

}  // namespace
