#include "desktop/graphs/PlotPainter.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace {

// The curve's points in pixels, leaving out each point on the pixel of the one before.
void toPixels(const PointList& points, const ValueMap& xMap, const ValueMap& yMap, QPolygonF& pixels) {
    pixels.clear();
    int lastX = 0, lastY = 0;
    for (const PlotPoint& point : points.points()) {
        const int x = xMap.toPixel(point.x), y = yMap.toPixel(point.y);
        if (!pixels.isEmpty() && x == lastX && y == lastY) continue;
        pixels.append(QPointF(x, y));
        lastX = x;
        lastY = y;
    }
}

// Black dots a logical pixel wide, a dot and a gap in turn, written straight into the pixels: a
// dotted pen would cost about as much as all the curves.
void drawDottedGrid(QImage& image, const PlotGrid& grid) {
    const qreal ratio = image.devicePixelRatio();
    const int dot = std::max(1, qRound(ratio));
    const int width = image.width(), height = image.height();
    const qsizetype stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    QRgb* const pixels = reinterpret_cast<QRgb*>(image.bits());
    const QRgb black = qRgb(0, 0, 0);
    for (const int x : grid.xPixels) {
        const int left = qRound(x * ratio);
        for (int column = std::max(0, left); column < std::min(width, left + dot); ++column)
            for (int top = 0; top < height; top += 2 * dot)
                for (int y = top; y < std::min(height, top + dot); ++y)
                    pixels[y * stride + column] = black;
    }
    for (const int y : grid.yPixels) {
        const int top = qRound(y * ratio);
        for (int row = std::max(0, top); row < std::min(height, top + dot); ++row)
            for (int left = 0; left < width; left += 2 * dot)
                for (int x = left; x < std::min(width, left + dot); ++x)
                    pixels[row * stride + x] = black;
    }
}

}  // namespace

void drawPlot(QImage& image, const PlotModel& model, const ValueMap& xMap, const ValueMap& yMap,
              const PlotGrid* grid) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPolygonF pixels;
    for (int slot = 0; slot < PlotModel::kSlots; ++slot) {
        const PlotCurve* curve = model.curve(slot);
        if (!curve || curve->points.empty()) continue;
        toPixels(curve->points, xMap, yMap, pixels);
        if (pixels.size() < 2) continue;
        const QColor colour = QColor::fromRgb(curve->colour);
        painter.setPen(QPen(colour, 1));
        painter.drawPolyline(pixels);
    }
    painter.end();
    if (grid) drawDottedGrid(image, *grid);
}
