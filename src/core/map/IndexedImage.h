#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "map/MapScene.h"

// A 16-colour image of the track map, one palette index per pixel, and its rasteriser: filled
// polygons by the non-zero winding rule (pixel centres inside), one-pixel lines, and wider lines
// as filled bands. Colours are drawn as their nearest palette entry.
class IndexedImage {
public:
    IndexedImage(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint8_t pixel(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(x)];
    }

    void draw(const MapScene& scene);
    void fillPolygon(const std::vector<MapPoint>& points, std::uint8_t index);
    void drawLine(MapPoint from, MapPoint to, std::uint8_t index);
    void drawWideLine(MapPoint from, MapPoint to, int width, std::uint8_t index);

    // The nearest palette entry to a colour.
    static std::uint8_t paletteIndex(const Rgb& colour);

private:
    struct Vertex {
        double x, y;
    };
    void fillVertices(const std::vector<Vertex>& vertices, std::uint8_t index);
    void set(int x, int y, std::uint8_t index);

    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};
