#include "map/TrackMapBitmap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::uint32_t read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

int count(const IndexedImage& image, std::uint8_t index) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == index;
    return n;
}

TEST(TrackMapBitmap, HeaderPaletteAndRowPadding) {
    const std::string file = encodeBitmap(IndexedImage(768, 768));
    ASSERT_EQ(file.size(), 768u * 384u + 122u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    // Offset and value of each header field: 4 bits a pixel on one plane, then the palette's
    // first entries, stored blue, green, red: white, the lap-1 red and the lap-2 blue.
    const auto size = static_cast<std::uint32_t>(file.size());
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {2, size}, {10, 122},         {14, 40}, {18, 768},         {22, 768},         {26, 1u | 4u << 16},
        {30, 0},   {34, 768u * 384u}, {46, 16}, {54, 0x00FFFFFFu}, {58, 0x00FF0000u}, {62, 0x000000FFu}};
    for (const auto& [at, value] : fields)
        EXPECT_EQ(read32(file, at), value) << "offset " << at;

    IndexedImage odd(17, 2);
    odd.drawLine({16, 0}, {16, 0}, 1);
    const std::string small = encodeBitmap(odd);
    ASSERT_EQ(small.size(), 122u + 2 * 12) << "17 pixels take 9 bytes, padded to 12";
    EXPECT_EQ(small[122 + 12 + 8], '\x10') << "the top row is stored last, high nibble first";
    EXPECT_EQ(small[122 + 8], '\0');
}

TEST(TrackMapBitmap, FillsByWindingAndDrawsLinesWithinTheImage) {
    IndexedImage image(40, 40);
    image.fillPolygon({{10, 10}, {20, 10}, {20, 20}, {10, 20}}, 7);
    EXPECT_EQ(count(image, 7), 100) << "pixel centres inside a 10 x 10 square";

    IndexedImage twice(40, 40);
    // The same square wound twice in one polygon: winding 2 is still inside.
    twice.fillPolygon({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}, {20, 10}, {20, 20}, {10, 20}}, 7);
    EXPECT_EQ(count(twice, 7), 100);

    IndexedImage lines(40, 40);
    lines.drawLine({-1000000, 5}, {1000000, 5}, 3);
    EXPECT_EQ(count(lines, 3), 40) << "clipped to the image";
    lines.drawLine({2, 30}, {2, 30}, 4);
    EXPECT_EQ(lines.pixel(2, 30), 4);
    lines.drawWideLine({10, 20}, {30, 20}, 5, 1);
    EXPECT_EQ(lines.pixel(20, 18), 1);
    EXPECT_EQ(lines.pixel(20, 22), 1);
    EXPECT_EQ(lines.pixel(20, 24), 0) << "5 wide, not more";

    EXPECT_EQ(IndexedImage::paletteIndex({0, 255, 0}), 3) << "the other surfaces' green is drawn as lap 3's";
    EXPECT_EQ(IndexedImage::paletteIndex({0, 0, 0}), 6);
}

TEST(TrackMapBitmap, BmpExtensionUnlessTheNameHoldsIt) {
    EXPECT_EQ(withBmpExtension("maps/rivaldi"), "maps/rivaldi.bmp");
    EXPECT_EQ(withBmpExtension("maps/rivaldi.BMP"), "maps/rivaldi.BMP");
    EXPECT_EQ(withBmpExtension("maps/rivaldi.bmp.old"), "maps/rivaldi.bmp.old");
    EXPECT_EQ(withBmpExtension("maps/rivaldi.png"), "maps/rivaldi.png.bmp");
}

}  // namespace
