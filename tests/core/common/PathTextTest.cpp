#include "common/PathText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <type_traits>
#include <vector>

#include "TempDir.h"

namespace {

TEST(PathText, NamesThatAreNotUtf8ReadAsWindows1252) {
    const struct {
        const char* name;
        const char* shown;
    } cases[] = {
        {"Weekend.rpy", "Weekend.rpy"},
        {"Qualif\u00e9.rpy", "Qualif\u00e9.rpy"},
        {"Qualif\xe9.rpy", "Qualif\u00e9.rpy"},
        {"\x80 \xc3", "\u20ac \u00c3"},                    // a lead byte at the end
        {"\xc3\xa9\xe9", "\u00c3\u00a9\u00e9"},            // one stray byte: the whole name is Windows-1252
        {"\xc0\xaf", "\u00c0\u00af"},                      // an overlong form is no UTF-8
        {"\xe0\x80\xaf", "\u00e0\u20ac\u00af"},            // nor a longer overlong form
        {"\xed\xa0\x80", "\u00ed\u00a0\u20ac"},            // nor a surrogate
        {"\xf4\x90\x80\x80", "\u00f4\u0090\u20ac\u20ac"},  // nor a code point past U+10FFFF
        {"\xf0\x9f\x8f\x81", "\U0001f3c1"},                // the chequered flag is
    };
    for (const auto& c : cases)
        EXPECT_EQ(pathText(c.name), c.shown) << c.name;
}

// UTF-8 text names a file by the name it spells on every system: Windows's UTF-16 names included,
// which a path made from a plain string would read in the ANSI code page.
TEST(PathText, UnicodeNamesGoToTheSystemAndComeBackWhole) {
    const std::string name = "Kv\u00e4llsrace \u0141\u00f3d\u017a \U0001f3c1.rpy";
    EXPECT_EQ(pathFromString(name),
              std::filesystem::path(u8"Kv\u00e4llsrace \u0141\u00f3d\u017a \U0001f3c1.rpy"));
    TempDir folder;
    std::ofstream(folder.path() / pathFromString(name)) << "x";
    std::vector<std::string> listed;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        listed.push_back(pathString(entry.path().filename()));
        EXPECT_EQ(pathText(entry.path().filename()), name);
    }
    EXPECT_EQ(listed, std::vector<std::string>{name});
}

// Windows allows a name a surrogate without its partner; it shows as U+FFFD rather than throwing.
TEST(PathText, AHalfSurrogatePairInAWindowsNameShowsAsAReplacementCharacter) {
    if constexpr (std::is_same_v<std::filesystem::path::value_type, wchar_t>) {
        const std::filesystem::path name(std::wstring{L'A', wchar_t(0xD800), L'.', L'r', L'p', L'y'});
        EXPECT_EQ(pathString(name), "A\xEF\xBF\xBD.rpy");
        EXPECT_EQ(pathText(name), "A\xEF\xBF\xBD.rpy");
    } else {
        GTEST_SKIP() << "names are bytes here";
    }
}

}  // namespace
