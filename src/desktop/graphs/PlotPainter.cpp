#include "desktop/graphs/PlotPainter.h"

#include <QPainter>
#include <QPolygon>

namespace {

QPolygon curvePixels(const PointList& points, const ValueMap& xMap, const ValueMap& yMap) {
    QPolygon pixels;
    pixels.reserve(static_cast<int>(points.size()));
    for (const PlotPoint& point : points.points()) {
        const QPoint pixel(xMap.toPixel(point.x), yMap.toPixel(point.y));
        if (pixels.isEmpty() || pixels.constLast() != pixel) pixels.append(pixel);
    }
    return pixels;
}

}  // namespace

void drawPlot(QPainter& painter, QSize size, const PlotModel& model, const ValueMap& xMap,
              const ValueMap& yMap, const PlotGrid* grid) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(-1, -1), size + QSize(2, 2)), Qt::white);
    for (int slot = 0; slot < PlotModel::kSlots; ++slot) {
        const PlotCurve* curve = model.curve(slot);
        if (!curve || curve->points.empty()) continue;
        const QPolygon pixels = curvePixels(curve->points, xMap, yMap);
        if (pixels.size() < 2) continue;
        const QColor colour = QColor::fromRgb(curve->colour);
        painter.setPen(QPen(colour, 1));
        painter.setBrush(colour);
        painter.drawPolyline(pixels);
    }
    if (!grid) return;
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    for (const int x : grid->xPixels)
        painter.drawLine(x, 0, x, size.height());
    for (const int y : grid->yPixels)
        painter.drawLine(0, y, size.width(), y);
}
