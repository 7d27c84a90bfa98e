#pragma once

#include <string>
#include <string_view>

// Text in replay files is Windows-1252. The core keeps it so; the edges (windows, command line,
// JSON) convert it to UTF-8 with this.
std::string win1252ToUtf8(std::string_view text);

// ASCII letters lower-cased, every other byte kept: for comparing file name extensions.
std::string asciiLower(std::string_view text);
