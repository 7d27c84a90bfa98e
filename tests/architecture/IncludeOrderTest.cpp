// The architecture as the folders show it: each subsystem includes only the ones listed before it,
// so neither half has an include cycle between folders, and the core never includes the desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The subsystems in include order; the desktop adds its application shell last.
const std::vector<std::string> kOrder = {"common",  "settings", "replay",    "track",   "document", "map",
                                         "reports", "graphs",   "racechart", "library", "app"};

int rank(const std::string& subsystem) {
    const auto it = std::find(kOrder.begin(), kOrder.end(), subsystem);
    return it == kOrder.end() ? -1 : static_cast<int>(it - kOrder.begin());
}

// Each `#include "a/b/..."` of the files under a half of the tree, as "file: include".
struct Include {
    std::string file;
    std::string subsystem;  // the including file's folder
    std::string path;       // as written
};
std::vector<Include> includesUnder(const fs::path& half) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(half)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        const std::string subsystem = fs::relative(entry.path(), half).begin()->string();
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);) {
            if (std::regex_search(line, match, include))
                found.push_back({fs::relative(entry.path(), half).string(), subsystem, match[1]});
        }
    }
    return found;
}

std::string firstFolder(const std::string& path) {
    const std::size_t slash = path.find('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

TEST(Architecture, CoreFoldersIncludeOnlyFoldersBeforeThem) {
    const std::vector<Include> includes = includesUnder(fs::path(VXRA_SOURCE_DIR) / "src/core");
    ASSERT_GT(includes.size(), 100u);
    std::vector<std::string> wrong;
    for (const Include& include : includes) {
        const std::string target = firstFolder(include.path);
        if (rank(include.subsystem) < 0 || rank(target) < 0 || rank(target) > rank(include.subsystem))
            wrong.push_back(include.file + ": " + include.path);
    }
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

TEST(Architecture, DesktopFoldersIncludeOnlyFoldersBeforeThem) {
    const std::vector<Include> includes = includesUnder(fs::path(VXRA_SOURCE_DIR) / "src/desktop");
    ASSERT_GT(includes.size(), 50u);
    std::vector<std::string> wrong;
    for (const Include& include : includes) {
        if (firstFolder(include.path) != "desktop") continue;  // a core header, or the generated Version.h
        const std::string target = firstFolder(include.path.substr(std::string("desktop/").size()));
        if (rank(include.subsystem) < 0 || rank(target) < 0 || rank(target) > rank(include.subsystem))
            wrong.push_back(include.file + ": " + include.path);
    }
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

}  // namespace
