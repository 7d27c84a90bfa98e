#include "common/BinaryFile.h"

#include <gtest/gtest.h>

#include <random>

#include "TempDir.h"

namespace {

TEST(BinaryFile, ReadsInAnyOrderAndSizeGiveTheFilesBytes) {
    TempDir folder;
    std::vector<std::uint8_t> bytes(40000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    BinaryFile file;
    ASSERT_TRUE(file.open(folder.write("data.bin", bytes)));
    EXPECT_EQ(file.size(), bytes.size());

    // Small reads inside and across the read-ahead block, large ones past it, backwards and forwards.
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const std::size_t offset = random() % bytes.size();
        const std::size_t length = i % 10 == 0 ? random() % 30000 : random() % 300;
        std::vector<std::uint8_t> out(length, 0xEE);
        const std::size_t expected = std::min(length, bytes.size() - offset);
        ASSERT_EQ(file.readSome(offset, out), expected) << offset << "+" << length;
        ASSERT_TRUE(std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(expected),
                               bytes.begin() + static_cast<std::ptrdiff_t>(offset)))
            << offset << "+" << length;
        EXPECT_EQ(file.readAt(offset, out), expected == length);
    }
    std::uint8_t one = 0;
    EXPECT_TRUE(file.readAt(5, std::span<std::uint8_t>())) << "nothing to read is read";
    EXPECT_EQ(file.readSome(bytes.size(), std::span(&one, 1)), 0u);
    EXPECT_FALSE(file.readAt(bytes.size(), std::span(&one, 1)));
    EXPECT_TRUE(file.readAt(bytes.size() - 1, std::span(&one, 1)));
    EXPECT_EQ(one, bytes.back());
}

TEST(BinaryFile, MissingFilesAndFoldersDoNotOpen) {
    TempDir folder;
    BinaryFile file;
    EXPECT_FALSE(file.open(folder / "missing.bin"));
    EXPECT_FALSE(file.open(folder.path()));
    EXPECT_FALSE(file.isOpen());
    std::uint8_t one = 0;
    EXPECT_EQ(file.readSome(0, std::span(&one, 1)), 0u);
}

}  // namespace
