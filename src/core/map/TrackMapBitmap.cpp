#include "map/TrackMapBitmap.h"

#include <algorithm>

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

constexpr std::uint32_t kPaletteEntries = 16;
constexpr std::uint32_t kPixelOffset = 58 + 4 * kPaletteEntries;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr int kBitmapMargin = 5;

}  // namespace

std::string encodeBitmap(const IndexedImage& image) {
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = (width * 4 + 31) / 32 * 4;
    const std::uint32_t pixelBytes = rowBytes * height;
    std::string out;
    out.reserve(kPixelOffset + pixelBytes);
    out += "BM";
    put32(out, kPixelOffset + pixelBytes);
    put32(out, 0);
    put32(out, kPixelOffset);
    put32(out, 40);
    put32(out, width);
    put32(out, height);  // positive: bottom-up rows
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, kPaletteEntries);
    put32(out, 0);
    for (const Rgb& c : mapPalette()) {
        out += static_cast<char>(c.b);
        out += static_cast<char>(c.g);
        out += static_cast<char>(c.r);
        out += '\0';
    }
    put32(out, 0);  // the spare entry before the pixels
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

std::filesystem::path withBmpExtension(const std::filesystem::path& chosen) {
    const std::string name = chosen.string();
    return asciiLower(name).find(".bmp") == std::string::npos ? std::filesystem::path(name + ".bmp") : chosen;
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
