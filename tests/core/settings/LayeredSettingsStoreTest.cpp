#include "settings/LayeredSettingsStore.h"

#include <gtest/gtest.h>

#include "settings/MemorySettingsStore.h"

namespace {

// The first layer that gives a value wins; the later ones fill in what it lacks.
TEST(LayeredSettingsStoreTest, EarlierLayersWinAndLaterOnesFillIn) {
    auto registry = std::make_unique<MemorySettingsStore>();
    registry->writeString("Directory", "C:\\Games\\VELTRA Racing 4");
    registry->writeInt("MPH", 0);
    auto iniFile = std::make_unique<MemorySettingsStore>();
    iniFile->writeString("Directory", "C:\\Other");
    iniFile->writeInt("MPH", 1);
    iniFile->writeInt("BmpSizeInPixel", 1024);
    std::vector<std::unique_ptr<SettingsStore>> layers;
    layers.push_back(std::move(registry));
    layers.push_back(std::move(iniFile));
    LayeredSettingsStore store(std::move(layers));

    EXPECT_EQ(store.readString("Directory"), "C:\\Games\\VELTRA Racing 4");
    EXPECT_EQ(store.readInt("MPH"), 0);
    EXPECT_EQ(store.readInt("BmpSizeInPixel"), 1024);
    EXPECT_EQ(store.readString("Missing"), std::nullopt);
    EXPECT_FALSE(store.writeInt("MPH", 1));
    EXPECT_FALSE(store.writeString("Directory", "/x"));
    EXPECT_EQ(store.readInt("MPH"), 0);
}

}  // namespace
