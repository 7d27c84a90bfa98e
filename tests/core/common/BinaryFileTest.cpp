#include "common/BinaryFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <random>

#include "TempDir.h"
#include "TestSystem.h"

namespace {

TEST(BinaryFile, ReadsInAnyOrderAndSizeGiveTheFilesBytes) {
    TempDir folder;
    std::vector<std::uint8_t> bytes(40000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    const std::filesystem::path path = folder.write("data.bin", bytes);
    const auto written = std::chrono::sys_seconds{std::chrono::seconds{1'700'000'000}};
    std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(written));
    BinaryFile file;
    // A file before whose head took 100 bytes: this file's first block is shorter.
    ASSERT_TRUE(file.open(folder.write("small.bin", std::vector<std::uint8_t>(100))));
    std::vector<std::uint8_t> head(100);
    ASSERT_TRUE(file.readAt(0, head));
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.size(), bytes.size());
    EXPECT_EQ(file.modificationTime(), 1'700'000'000);

    // Small reads inside and across the read-ahead block, large ones past it, backwards and forwards;
    // the first ones from the start, past the end of a shorter first block.
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const std::size_t offset = i < 3 ? static_cast<std::size_t>(i) * 900 : random() % bytes.size();
        const std::size_t length = i < 3 ? 300 : i % 10 == 0 ? random() % 30000 : random() % 300;
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

TEST(BinaryFile, OnlyRegularFilesOpen) {
    TempDir folder;
    BinaryFile file;
    ASSERT_TRUE(file.open(folder.write("data.bin", std::vector<std::uint8_t>(10))));
    EXPECT_FALSE(file.open(folder / "missing.bin"));
    EXPECT_FALSE(file.isOpen()) << "a failed opening leaves nothing of the file before";
    EXPECT_FALSE(file.open(folder.path()));
    const NamedPipe pipe(folder.path(), "pipe.bin");
    ASSERT_TRUE(pipe.made());
    EXPECT_FALSE(file.open(pipe.path())) << "returns at once: no writer is waited for";
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.size(), 0u);
    std::uint8_t one = 0;
    EXPECT_EQ(file.readSome(0, std::span(&one, 1)), 0u);
}

// A scan opens file after file by name within the folder of the one before: each opening must still
// give the file named, whichever folder it is in.
TEST(BinaryFile, FilesOpenedOneAfterAnotherInTheirFoldersAreEachTheOneNamed) {
    TempDir folder;
    std::filesystem::create_directories(folder / "b");
    std::filesystem::create_directories(folder / "bb");
    const auto put = [&](const std::string& name, std::uint8_t first) {
        return folder.write(name, std::vector<std::uint8_t>{first, 0, 0});
    };
    const NamedPipe pipe(folder / "b", "pipe.rpy");
    ASSERT_TRUE(pipe.made());
    const auto relative = std::filesystem::relative(put("b/3.rpy", 3));
    const struct {
        std::filesystem::path path;
        std::optional<std::uint8_t> first;  // nothing: no file to read
    } cases[] = {
        {put("1.rpy", 1), 1},
        {put("2.rpy", 2), 2},
        {folder / "b" / "3.rpy", 3},  // another folder
        {put("bb/4.rpy", 4), 4},      // a folder whose name starts as the one before
        {folder / "b" / "missing.rpy", std::nullopt},
        {pipe.path(), std::nullopt},
        {folder / "bb", std::nullopt},
        {folder / "b" / "3.rpy", 3},
        {relative, 3},
        {folder / "1.rpy", 1},
        {folder / "nowhere" / "1.rpy", std::nullopt},
        {folder / "2.rpy", 2},
    };
    BinaryFile file;
    for (const auto& c : cases) {
        std::uint8_t first = 0;
        EXPECT_EQ(file.openInFolderOfTheLast(c.path.parent_path(), c.path.filename()), c.first.has_value())
            << c.path;
        EXPECT_EQ(file.readAt(0, std::span(&first, 1)), c.first.has_value()) << c.path;
        EXPECT_EQ(first, c.first.value_or(0)) << c.path;
    }
}

}  // namespace
