#include "map/IndexedImage.h"

#include <algorithm>
#include <cmath>

namespace {

// A pixel coordinate, clamped to [-1, size] while it is still a double, so far-off values become
// integers safely and stay outside the image.
int clampedPixel(double value, int size) {
    if (std::isnan(value)) return -1;
    return static_cast<int>(std::clamp(value, -1.0, static_cast<double>(size)));
}

}  // namespace

IndexedImage::IndexedImage(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

std::uint8_t IndexedImage::paletteIndex(const Rgb& colour) {
    const auto& palette = mapPalette();
    std::uint8_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = long{palette[i].r} - colour.r;
        const long dg = long{palette[i].g} - colour.g;
        const long db = long{palette[i].b} - colour.b;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::uint8_t>(i);
        }
    }
    return best;
}

void IndexedImage::set(int x, int y, std::uint8_t index) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
        index;
}

void IndexedImage::draw(const MapScene& scene) {
    for (const MapShape& shape : scene) {
        const std::uint8_t index = paletteIndex(shape.colour);
        if (shape.kind == MapShape::Kind::Fill) {
            fillPolygon(shape.points, index);
            continue;
        }
        for (std::size_t i = 1; i < shape.points.size(); ++i) {
            if (shape.width > 1) {
                drawWideLine(shape.points[i - 1], shape.points[i], shape.width, index);
            } else {
                drawLine(shape.points[i - 1], shape.points[i], index);
            }
        }
    }
}

void IndexedImage::fillPolygon(const std::vector<MapPoint>& points, std::uint8_t index) {
    std::vector<Vertex> vertices;
    vertices.reserve(points.size());
    for (const MapPoint& point : points)
        vertices.push_back({static_cast<double>(point.x) + 0.5, static_cast<double>(point.y) + 0.5});
    fillVertices(vertices, index);
}

// Map point (x, y) is the centre of pixel (x, y), at (x + 0.5, y + 0.5). Scanlines run through
// the pixel centres; each edge crossing adds its direction to the winding
// number, and the spans with a winding number other than 0 are inside.
void IndexedImage::fillVertices(const std::vector<Vertex>& vertices, std::uint8_t index) {
    if (vertices.size() < 3 || width_ == 0 || height_ == 0) return;
    double top = vertices.front().y, bottom = top;
    for (const Vertex& vertex : vertices) {
        top = std::min(top, vertex.y);
        bottom = std::max(bottom, vertex.y);
    }
    const int firstRow = std::max(0, clampedPixel(std::ceil(top - 0.5), height_));
    const int lastRow = std::min(height_ - 1, clampedPixel(std::floor(bottom - 0.5), height_));
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    for (int row = firstRow; row <= lastRow; ++row) {
        const double y = row + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            const Vertex& start = vertices[i];
            const Vertex& end = vertices[(i + 1) % vertices.size()];
            if ((start.y <= y) == (end.y <= y)) continue;
            const double x = start.x + (y - start.y) * (end.x - start.x) / (end.y - start.y);
            crossings.push_back({x, end.y > start.y ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& left, const Crossing& right) { return left.x < right.x; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            if (winding == 0) continue;
            const int from = std::max(0, clampedPixel(std::ceil(crossings[i].x - 0.5), width_));
            const int to =
                std::min(width_ - 1, clampedPixel(std::ceil(crossings[i + 1].x - 0.5) - 1, width_));
            for (int x = from; x <= to; ++x)
                set(x, row, index);
        }
    }
}

// Bresenham's line, its ends included, clipped to the image first so far-off points cost nothing.
void IndexedImage::drawLine(MapPoint from, MapPoint to, std::uint8_t index) {
    // The line is from + t (to - from) for t in [t0, t1]; it crosses the line of edge i (left,
    // right, top, bottom) where t = room[i] / outward[i].
    double t0 = 0, t1 = 1;
    const double dx = static_cast<double>(to.x - from.x), dy = static_cast<double>(to.y - from.y);
    const double outward[4] = {-dx, dx, -dy, dy};
    const double room[4] = {static_cast<double>(from.x), static_cast<double>(width_ - 1 - from.x),
                            static_cast<double>(from.y), static_cast<double>(height_ - 1 - from.y)};
    for (int i = 0; i < 4; ++i) {
        if (outward[i] == 0) {
            if (room[i] < 0) return;
            continue;
        }
        const double t = room[i] / outward[i];
        if (outward[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) return;
    long x0 = std::lround(static_cast<double>(from.x) + t0 * dx),
         y0 = std::lround(static_cast<double>(from.y) + t0 * dy);
    const long x1 = std::lround(static_cast<double>(from.x) + t1 * dx),
               y1 = std::lround(static_cast<double>(from.y) + t1 * dy);
    const long stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
    const long spanX = std::labs(x1 - x0), spanY = -std::labs(y1 - y0);
    long error = spanX + spanY;
    while (true) {
        set(static_cast<int>(x0), static_cast<int>(y0), index);
        if (x0 == x1 && y0 == y1) break;
        const long twice = 2 * error;
        if (twice >= spanY) {
            error += spanY;
            x0 += stepX;
        }
        if (twice <= spanX) {
            error += spanX;
            y0 += stepY;
        }
    }
}

void IndexedImage::drawWideLine(MapPoint from, MapPoint to, int width, std::uint8_t index) {
    const double dx = static_cast<double>(to.x - from.x), dy = static_cast<double>(to.y - from.y);
    const double length = std::hypot(dx, dy);
    if (length == 0) return drawLine(from, to, index);
    const double nx = -dy / length * width / 2, ny = dx / length * width / 2;
    const double ax = static_cast<double>(from.x) + 0.5, ay = static_cast<double>(from.y) + 0.5;
    const double bx = static_cast<double>(to.x) + 0.5, by = static_cast<double>(to.y) + 0.5;
    fillVertices({{ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, {ax - nx, ay - ny}}, index);
}
