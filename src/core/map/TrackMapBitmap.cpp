#include "map/TrackMapBitmap.h"

#include <algorithm>

#include "common/PathText.h"
#include "common/Text1252.h"

namespace {

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr int kBitmapMargin = 5;

// The file head, the info head and the palette (with `spareEntries` zero entries after it) of a
// bottom-up bitmap whose rows are padded to 4 bytes.
std::string bitmapHead(int width, int height, int bitsPerPixel, const std::vector<Rgb>& palette,
                       std::uint32_t spareEntries) {
    const auto columns = static_cast<std::uint32_t>(width);
    const auto rows = static_cast<std::uint32_t>(height);
    const std::uint32_t rowBytes = (columns * static_cast<std::uint32_t>(bitsPerPixel) + 31) / 32 * 4;
    const std::uint32_t pixelBytes = rowBytes * rows;
    const auto entries = static_cast<std::uint32_t>(palette.size());
    const std::uint32_t pixelOffset = 54 + 4 * (entries + spareEntries);
    std::string out;
    out.reserve(pixelOffset + pixelBytes);
    out += "BM";
    put32(out, pixelOffset + pixelBytes);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, 40);
    put32(out, columns);
    put32(out, rows);  // positive: bottom-up rows
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    put32(out, 0);
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, entries);
    put32(out, 0);
    for (const Rgb& colour : palette) {
        out += static_cast<char>(colour.b);
        out += static_cast<char>(colour.g);
        out += static_cast<char>(colour.r);
        out += '\0';
    }
    for (std::uint32_t i = 0; i < spareEntries; ++i)
        put32(out, 0);
    return out;
}

}  // namespace

std::string encodeBitmap(const IndexedImage& image) {
    const std::array<Rgb, 16>& palette = mapPalette();
    // The 16 colours and one spare entry: the pixels start at offset 122.
    std::string out =
        bitmapHead(image.width(), image.height(), 4, std::vector<Rgb>(palette.begin(), palette.end()), 1);
    const std::size_t rowBytes = (static_cast<std::size_t>(image.width()) * 4 + 31) / 32 * 4;
    for (int y = image.height() - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const auto shift = (x % 2 == 0) ? 4 : 0;
            row[static_cast<std::size_t>(x / 2)] |= static_cast<char>(image.pixel(x, y) << shift);
        }
        out += row;
    }
    return out;
}

std::string encodeBitmap8(int width, int height, const std::vector<Rgb>& palette,
                          std::span<const std::uint8_t> pixels) {
    std::string out = bitmapHead(width, height, 8, palette, 0);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    for (int y = height - 1; y >= 0; --y) {
        const auto row = pixels.subspan(static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                                        static_cast<std::size_t>(width));
        out.append(row.begin(), row.end());
        out.append(rowBytes - row.size(), '\0');
    }
    return out;
}

std::filesystem::path withBmpExtension(const std::filesystem::path& chosen) {
    return asciiLower(pathString(chosen)).find(".bmp") == std::string::npos
               ? std::filesystem::path(chosen) += ".bmp"
               : chosen;
}

std::filesystem::path withBmpEnding(const std::filesystem::path& chosen) {
    return withEnding(chosen, ".bmp");
}

std::string trackMapBitmap(const ReplayDocument& document, int size, const LapsShown& laps) {
    size = std::clamp(size, kMinBitmapSize, kMaxBitmapSize);
    IndexedImage image(size, size);
    if (const TrackModel* model = document.trackModel()) {
        const MapTransform transform(size, size, kBitmapMargin, kBitmapMargin, *model);
        image.draw(buildMapScene(document, transform, laps));
    }
    return encodeBitmap(image);
}
