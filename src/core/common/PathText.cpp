#include "common/PathText.h"

#include <string_view>

#include "common/Text1252.h"

namespace {

// Well-formed UTF-8: each lead byte followed by its continuation bytes, with the second byte's
// range narrowed where the lead alone would allow an overlong form, a surrogate or a code point
// past U+10FFFF.
bool isUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the second byte's range
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
        if (length == 0 || length > text.size() - i) return false;
        if (length > 1 && (byte(i + 1) < low || byte(i + 1) > high)) return false;
        for (std::size_t offset = 2; offset < length; ++offset) {
            if ((byte(i + offset) & 0xC0) != 0x80) return false;
        }
        i += length;
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
