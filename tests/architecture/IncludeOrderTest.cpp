// The architecture as the folders show it: each subsystem includes only itself and the ones listed
// before it, so neither half has an include cycle between folders, the core never includes the
// desktop, and a desktop subsystem uses no core subsystem above its own level.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The core's subsystems in include order.
const std::vector<std::string> kCoreOrder = {"common",  "settings", "replay",    "track",   "document", "map",
                                             "reports", "graphs",   "racechart", "library", "compare"};

// The desktop's: the core's, each holding the windows of its core namesake, then the application shell.
std::vector<std::string> desktopOrder() {
    std::vector<std::string> order = kCoreOrder;
    order.push_back("app");
    return order;
}

std::optional<std::size_t> rank(const std::vector<std::string>& order, const std::string& subsystem) {
    const auto it = std::find(order.begin(), order.end(), subsystem);
    if (it == order.end()) return std::nullopt;
    return static_cast<std::size_t>(it - order.begin());
}

// Whether a file of `subsystem` may include a header of `target`: both known and `target` no later.
bool includesDownward(const std::vector<std::string>& order, const std::string& subsystem,
                      const std::string& target) {
    const std::optional<std::size_t> from = rank(order, subsystem);
    const std::optional<std::size_t> to = rank(order, target);
    return from && to && *to <= *from;
}

std::string firstFolder(const std::string& path) {
    const std::size_t slash = path.find('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool coreIncludeAllowed(const std::string& subsystem, const std::string& path) {
    return includesDownward(kCoreOrder, subsystem, firstFolder(path));
}

// A desktop file names desktop headers "desktop/<subsystem>/..." and core headers "<subsystem>/...";
// the desktop order starts with the core's, so one rank compares a desktop subsystem with both.
bool desktopIncludeAllowed(const std::string& subsystem, const std::string& path) {
    if (path == "Version.h") return true;  // generated into the build tree
    const std::string desktopPrefix = "desktop/";
    if (path.starts_with(desktopPrefix))
        return includesDownward(desktopOrder(), subsystem, firstFolder(path.substr(desktopPrefix.size())));
    const std::string target = firstFolder(path);
    return rank(kCoreOrder, target) && includesDownward(desktopOrder(), subsystem, target);
}

TEST(Architecture, IncludeRulesJudgeEachHalfAgainstTheCoreOrder) {
    enum class Half { core, desktop };
    struct Case {
        Half half;
        std::string subsystem;
        std::string path;
        bool allowed;
    };
    const std::vector<Case> cases = {
        {Half::core, "document", "replay/LapChoice.h", true},
        {Half::core, "document", "document/DocumentUi.h", true},
        {Half::core, "replay", "document/DocumentUi.h", false},
        {Half::core, "library", "app/MainWindow.h", false},
        {Half::core, "common", "QtText.h", false},
        {Half::desktop, "replay", "replay/LapChoice.h", true},
        {Half::desktop, "replay", "document/DocumentUi.h", false},
        {Half::desktop, "common", "document/ReplayDocument.h", false},
        {Half::desktop, "map", "document/ReplayDocument.h", true},
        {Half::desktop, "map", "desktop/document/DocumentColours.h", true},
        {Half::desktop, "document", "desktop/map/TrackMapView.h", false},
        {Half::desktop, "app", "library/LapFinderScan.h", true},
        {Half::desktop, "app", "desktop/library/LapFinderDialog.h", true},
        {Half::desktop, "library", "app/CommandTable.h", false},
        {Half::desktop, "library", "desktop/app/CommandTable.h", false},
        {Half::desktop, "widgets", "widgets/Button.h", false},
        {Half::desktop, "map", "Version.h", true},
    };
    for (const Case& c : cases) {
        const bool desktop = c.half == Half::desktop;
        const bool allowed =
            desktop ? desktopIncludeAllowed(c.subsystem, c.path) : coreIncludeAllowed(c.subsystem, c.path);
        EXPECT_EQ(allowed, c.allowed)
            << (desktop ? "desktop/" : "") << c.subsystem << " including " << c.path;
    }
}

// Each `#include "..."` of the files under a half of the tree.
struct Include {
    std::string file;       // relative to the half
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

std::vector<std::string> includesBreakingOrder(const fs::path& half,
                                               bool (*allowed)(const std::string&, const std::string&)) {
    std::vector<std::string> wrong;
    for (const Include& include : includesUnder(half)) {
        if (!allowed(include.subsystem, include.path)) wrong.push_back(include.file + ": " + include.path);
    }
    return wrong;
}

TEST(Architecture, CoreFoldersIncludeOnlyFoldersBeforeThem) {
    const fs::path core = fs::path(VXRA_SOURCE_DIR) / "src/core";
    ASSERT_GT(includesUnder(core).size(), 100u);
    EXPECT_EQ(includesBreakingOrder(core, coreIncludeAllowed), std::vector<std::string>{});
}

TEST(Architecture, DesktopFoldersIncludeOnlyDesktopAndCoreFoldersBeforeThem) {
    const fs::path desktop = fs::path(VXRA_SOURCE_DIR) / "src/desktop";
    ASSERT_GT(includesUnder(desktop).size(), 50u);
    EXPECT_EQ(includesBreakingOrder(desktop, desktopIncludeAllowed), std::vector<std::string>{});
}

}  // namespace
