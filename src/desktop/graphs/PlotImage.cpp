#include "desktop/graphs/PlotImage.h"

#include <QPainter>

#include "desktop/common/QtText.h"
#include "desktop/graphs/PlotPainter.h"
#include "desktop/graphs/RulerPainter.h"

QImage plotImage(const PlotModel& plot, const PlotRange& range, QSize size) {
    const int thickness = ruler::kThickness;
    const QSize plotSize = size - QSize(thickness, thickness);
    QImage curves(plotSize, QImage::Format_RGB32);
    const ValueMap xMap = xMapOf(range, plotSize.width()), yMap = yMapOf(range, plotSize.height());
    const QSize across(size.width(), thickness), down(thickness, size.height());
    const PlotGrid grid{computeTicks(xMap, ruler::labelCount(Qt::Horizontal, across)).pixels,
                        computeTicks(yMap, ruler::labelCount(Qt::Vertical, down)).pixels};
    drawPlot(curves, plot, xMap, yMap, &grid);

    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    ruler::draw(painter, Qt::Vertical, down, range.y1, range.y2, fromUtf8(plot.axis(false).unit()));
    ruler::draw(painter, Qt::Horizontal, across, range.x1, range.x2, fromUtf8(plot.axis(true).unit()));
    painter.drawImage(thickness, thickness, curves);
    return image;
}
