#include "library/ReplayFileNames.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

// Both kinds of units, bytes and UTF-16, are checked on every system.
TEST(ReplayFileNames, AReplayNameEndsInRpyInAnyCaseAfterAName) {
    const struct {
        const char* name;
        bool replay;
    } cases[] = {
        {"Weekend.rpy", true}, {"Weekend.RPY", true}, {"x.rPy", true}, {".rpy", false},  {"rpy", false},
        {"", false},           {"x.rpy.txt", false},  {"x.rp", false}, {"x_rpy", false},
    };
    for (const auto& c : cases) {
        const std::string_view name = c.name;
        EXPECT_EQ(hasReplayExtension(name), c.replay) << name;
        const std::wstring wide(name.begin(), name.end());
        EXPECT_EQ(hasReplayExtension(std::wstring_view(wide)), c.replay) << name;
    }
    // U+0152's low byte is "R": a unit is a letter of the extension only as a whole.
    EXPECT_FALSE(hasReplayExtension(std::wstring_view(L"x.\u0152py")));
}

}  // namespace
