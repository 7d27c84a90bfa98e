#pragma once

#include <cstdint>
#include <span>

// Unpacks data in the PKWARE Data Compression Library "implode" format, in which the packed
// members of track archives are stored.
//
// Result codes:
//   0 success: `out` was filled exactly
//   1 invalid dictionary-size byte (not 4, 5 or 6)
//   2 invalid literal-mode byte (not 0 or 1)
//   3 input of 4 bytes or fewer
//   4 corrupt stream: a code that cannot be decoded, a distance before the start of the output,
//     input ending before the end code, or output that does not come out at exactly out.size()
//     bytes (nothing is ever written past its end)
enum DclResult : int {
    kDclOk = 0,
    kDclInvalidDictionary = 1,
    kDclInvalidMode = 2,
    kDclInputTooSmall = 3,
    kDclCorrupt = 4,
};

int dclExplode(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out);
