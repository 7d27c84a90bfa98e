#include "common/PathText.h"

#include <string_view>

#include "common/Text1252.h"

namespace {

bool isUtf8(std::string_view text) {
    while (!text.empty()) {
        const Utf8Sequence sequence = firstUtf8Sequence(text);
        if (sequence.status != Utf8Status::complete) return false;
        text.remove_prefix(sequence.length);
    }
    return true;
}

// A path's own units as UTF-8 text: POSIX names are bytes, kept as they are; Windows names are
// UTF-16 and may hold a surrogate without its partner, which u8string() refuses with an exception,
// and a name read from a folder must never end a scan.
template <typename Units>
std::string utf8OfUnits(const Units& units) {
    if constexpr (sizeof(typename Units::value_type) == 1)
        return std::string(units.begin(), units.end());
    else
        return utf8FromUtf16(std::u16string(units.begin(), units.end()));
}

}  // namespace

std::string pathString(const std::filesystem::path& path) {
    return utf8OfUnits(path.native());
}

// POSIX keeps whatever bytes a name holds. Windows converts UTF-8 and throws on bytes that are not:
// those name what they show as (pathText), Windows-1252 text.
std::filesystem::path pathFromString(std::string_view text) {
    try {
        return std::u8string(text.begin(), text.end());
    } catch (const std::filesystem::filesystem_error&) {
        const std::string utf8 = win1252ToUtf8(std::string(text));
        return std::u8string(utf8.begin(), utf8.end());
    }
}

std::string pathText(const std::filesystem::path& path) {
    return nameText(pathString(path));
}

std::string nameText(std::string_view text) {
    return isUtf8(text) ? std::string(text) : win1252ToUtf8(text);
}

std::filesystem::path withEnding(const std::filesystem::path& chosen, std::string_view ending) {
    const std::string name = pathString(chosen);
    const bool ends =
        name.size() >= ending.size() && asciiLower(name.substr(name.size() - ending.size())) == ending;
    return ends ? chosen : std::filesystem::path(chosen) += pathFromString(ending);
}
