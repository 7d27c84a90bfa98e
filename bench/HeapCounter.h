#pragma once

#include <cstddef>

// Counts the bytes allocated through operator new in this program, so a benchmark can report the
// peak heap use of one operation.
namespace heap {
void resetPeak();
std::size_t current();
std::size_t peak();
}  // namespace heap
