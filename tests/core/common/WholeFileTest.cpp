#include "common/WholeFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "TempDir.h"
#include "TestSystem.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void put(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

struct WriteCase {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::string target;
    bool written;
    std::set<std::string> entriesAfter;
    bool makesALink = false;
};

TEST(WholeFile, WritesTheWholeFileOrNothingAndNeverThroughALink) {
    const auto victim = [](const TempDir& folder) { put(folder / "victim", "keep"); };
    const std::vector<WriteCase> cases{
        {"a fresh file", [](const TempDir&) {}, "out.txt", true, {"out.txt"}},
        {"an existing file is replaced",
         [](const TempDir& folder) { put(folder / "out.txt", "old contents"); },
         "out.txt",
         true,
         {"out.txt"}},
        {"a link where a fixed temporary name would be is left alone",
         [&](const TempDir& folder) {
             victim(folder);
             fs::create_symlink(folder / "victim", folder / "out.txt.part");
         },
         "out.txt",
         true,
         {"out.txt", "out.txt.part", "victim"},
         true},
        {"a link at the target is replaced, not followed",
         [&](const TempDir& folder) {
             victim(folder);
             fs::create_symlink(folder / "victim", folder / "out.txt");
         },
         "out.txt",
         true,
         {"out.txt", "victim"},
         true},
        {"a folder in the way: the temporary file is removed",
         [](const TempDir& folder) {
             fs::create_directory(folder / "out.txt");
             put(folder / "out.txt" / "inside", "x");
         },
         "out.txt",
         false,
         {"out.txt"}},
        {"a missing folder", [](const TempDir&) {}, "missing/out.txt", false, {}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.makesALink && noSymbolicLinksReason()) continue;
        TempDir folder;
        c.prepare(folder);
        EXPECT_EQ(writeWholeFile(folder / c.target, "new\ncontents", std::ios::binary), c.written);
        EXPECT_EQ(entries(folder.path()), c.entriesAfter);
        if (c.written) {
            EXPECT_FALSE(fs::is_symlink(folder / c.target));
            EXPECT_EQ(contents(folder / c.target), "new\ncontents");
        }
        if (c.entriesAfter.contains("victim")) {
            EXPECT_EQ(contents(folder / "victim"), "keep");
        }
    }
}

}  // namespace
