#include "common/Text1252.h"

#include <algorithm>
#include <array>

namespace {

// Code points of bytes 0x80-0x9F; the five bytes Windows-1252 leaves undefined map to themselves.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Appends one code point as UTF-8.
void appendUtf8(std::string& text, char32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::string win1252ToUtf8(std::string_view text) {
    // Most names are plain ASCII, which is the same in UTF-8: a scan converts thousands of them.
    if (std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        appendUtf8(out, (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte);
    }
    return out;
}

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = lowerAscii(c);
    return lower;
}

std::string lowerCase1252Letters(std::string_view utf8) {
    std::string lower;
    lower.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (byte == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {  // À..Þ but ×: + 0x20
            lower += {'\xC3', static_cast<char>(next + 0x20)};
        } else if (byte == 0xC5 && (next == 0xA0 || next == 0x92 || next == 0xBD)) {  // Š Œ Ž: + 1
            lower += {'\xC5', static_cast<char>(next + 1)};
        } else if (byte == 0xC5 && next == 0xB8) {  // Ÿ: ÿ is U+00FF
            lower += "\xC3\xBF";
        } else {
            lower += lowerAscii(utf8[i]);
            continue;
        }
        ++i;
    }
    return lower;
}

bool lessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(lowerAscii(x)) < static_cast<unsigned char>(lowerAscii(y));
    });
}

bool nameOrder(std::string_view a, std::string_view b) {
    if (lessIgnoringCase(a, b)) return true;
    if (lessIgnoringCase(b, a)) return false;
    return a < b;
}

std::string utf8FromUtf16(std::u16string_view units) {
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            appendUtf8(text, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{units[i + 1]} - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(text, kReplacementCharacter);
        } else {
            appendUtf8(text, unit);
        }
    }
    return text;
}

Utf8Sequence firstUtf8Sequence(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0) return {Utf8Status::malformed};
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if (k == bytes.size()) return {Utf8Status::cutShort};
        const auto next = static_cast<unsigned char>(bytes[k]);
        if ((next & 0xC0) != 0x80) return {Utf8Status::malformed};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    constexpr std::array<char32_t, 5> kSmallestOfLength = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallestOfLength[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {Utf8Status::malformed};
    return {Utf8Status::complete, codePoint, length};
}

void appendUtf16(std::u16string& units, char32_t codePoint) {
    if (codePoint >= 0x10000) {
        units += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    } else {
        units += static_cast<char16_t>(codePoint);
    }
}

std::string_view appendUtf16FromUtf8(std::u16string& units, std::string_view bytes) {
    while (!bytes.empty()) {
        const Utf8Sequence sequence = firstUtf8Sequence(bytes);
        if (sequence.status == Utf8Status::cutShort) return bytes;
        if (sequence.status == Utf8Status::malformed) {
            units += kReplacementCharacter;
            bytes.remove_prefix(1);
        } else {
            appendUtf16(units, sequence.codePoint);
            bytes.remove_prefix(sequence.length);
        }
    }
    return {};
}

std::u16string utf16FromUtf8(std::string_view bytes) {
    std::u16string units;
    units.append(appendUtf16FromUtf8(units, bytes).size(), kReplacementCharacter);
    return units;
}
