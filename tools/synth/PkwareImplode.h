#pragma once

#include <cstdint>
#include <span>
#include <vector>

// PKWARE DCL "implode" through Debian's libstorm: the packer that makes the archive members our
// own decoder must read. Tools and tests only.

// Packs `data` with literal mode 0 (binary) or 1 (ASCII) and a dictionary of 1024, 2048 or 4096
// bytes.
std::vector<std::uint8_t> pkwareImplode(std::span<const std::uint8_t> data, bool asciiLiterals,
                                        unsigned dictionarySize);

// libstorm's own decoder, as a yardstick for ours: unpacks into `out` and returns the number of
// bytes it produced.
std::size_t libstormExplode(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out);
