#pragma once

#include <cstdint>
#include <span>

#include "common/Result.h"

// Unpacks data in the PKWARE Data Compression Library "implode" format, in which the packed
// members of track archives are stored.
//
// How unpacking can fail:
//   InvalidDictionary  the dictionary-size byte is not 4, 5 or 6
//   InvalidMode        the literal-mode byte is not 0 or 1
//   InputTooSmall      4 bytes of input or fewer
//   Corrupt            a code that cannot be decoded, a distance before the start of the output, input
//                      ending before the end code, or output that does not come out at exactly
//                      out.size() bytes (nothing is ever written past its end)
enum class DclError { InvalidDictionary, InvalidMode, InputTooSmall, Corrupt };

// Unpacks `packed` into exactly `out`.
Outcome<DclError> dclExplode(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out);
