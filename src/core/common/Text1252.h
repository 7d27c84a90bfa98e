#pragma once

#include <string>
#include <string_view>

// Text in replay files is Windows-1252. The core keeps it so; the edges (windows, command line,
// JSON) convert it to UTF-8 with this.
std::string win1252ToUtf8(std::string_view text);

// Appends one code point as UTF-8.
void appendUtf8(std::string& text, char32_t codePoint);

// UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view units);

// ASCII letters lower-cased, every other byte kept: for comparing file name extensions.
std::string asciiLower(std::string_view text);

// Orders texts with ASCII letters compared without regard to case: a sort's "ascending, case
// ignored". nameOrder breaks its ties by the bytes, for listings that must come out the same on
// every system.
bool lessIgnoringCase(std::string_view a, std::string_view b);
bool nameOrder(std::string_view a, std::string_view b);
