#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "map/IndexedImage.h"

// The image as a Windows bitmap file: 4 bits per pixel, bottom-up rows padded to 4 bytes, the
// 16-colour palette and one spare entry (pixel data at offset 122).
std::string encodeBitmap(const IndexedImage& image);
// An image of up to 256 colours, one palette index a byte per pixel in rows from the top, as a
// Windows bitmap file of 8 bits per pixel: bottom-up rows padded to 4 bytes, the palette before
// the pixels. `pixels` holds width x height bytes.
std::string encodeBitmap8(int width, int height, const std::vector<Rgb>& palette,
                          std::span<const std::uint8_t> pixels);

// The map export: the document's track with the shown laps' driving lines on a `size` square
// (clamped to 16..16384) with margins of 5 pixels, as a bitmap file.
std::string trackMapBitmap(const ReplayDocument& document, int size, const LapsShown& laps);
inline constexpr int kMinBitmapSize = 16;
inline constexpr int kMaxBitmapSize = 16384;

// A chosen name without ".bmp" anywhere in it (in any case) gets it.
std::filesystem::path withBmpExtension(const std::filesystem::path& chosen);
// A chosen name that does not end with ".bmp" (in any case) gets it.
std::filesystem::path withBmpEnding(const std::filesystem::path& chosen);
