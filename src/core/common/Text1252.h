#pragma once

#include <string>
#include <string_view>

// Text conversions: Windows-1252, in which replay files hold their text, to UTF-8 for the edges
// (windows, command line, JSON); UTF-8 to and from the UTF-16 of Windows's names and registry; and
// comparing names without regard to case.

// Text in replay files is Windows-1252. The core keeps it so; the edges convert it with this.
std::string win1252ToUtf8(std::string_view text);

// UTF-8 and UTF-16, one conversion each way for Windows names, the registry and the settings
// files. What is not well formed becomes U+FFFD, as Qt reads it.
inline constexpr char16_t kReplacementCharacter = 0xFFFD;

// UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view units);

enum class Utf8Status { complete, cutShort, malformed };
struct Utf8Sequence {
    Utf8Status status;
    char32_t codePoint = 0;
    std::size_t length = 0;
};
// The UTF-8 sequence that the (not empty) bytes begin with: complete, cut short by their end, or
// not UTF-8.
Utf8Sequence firstUtf8Sequence(std::string_view bytes);
// Appends one code point as UTF-16.
void appendUtf16(std::u16string& units, char32_t codePoint);
// Appends UTF-8 bytes as UTF-16; each byte that does not begin a well-formed sequence becomes
// U+FFFD. A sequence cut short by the end is not decoded but given back, for the bytes that may
// finish it.
std::string_view appendUtf16FromUtf8(std::u16string& units, std::string_view bytes);
// All the bytes decoded, as Qt decodes a whole byte array: each byte of a sequence cut short by
// the end becomes U+FFFD too.
std::u16string utf16FromUtf8(std::string_view bytes);

// ASCII letters lower-cased, every other byte kept: for comparing file name extensions.
std::string asciiLower(std::string_view text);

// UTF-8 text with its letters lower-cased, those of ASCII and the capitals Windows-1252 has (À to
// Þ but ×, and Š, Œ, Ž, Ÿ), every other byte kept: the letters a replay's track name can hold.
std::string lowerCase1252Letters(std::string_view utf8);

// Orders texts with ASCII letters compared without regard to case: a sort's "ascending, case
// ignored". nameOrder breaks its ties by the bytes, for listings that must come out the same on
// every system.
bool lessIgnoringCase(std::string_view a, std::string_view b);
bool nameOrder(std::string_view a, std::string_view b);
