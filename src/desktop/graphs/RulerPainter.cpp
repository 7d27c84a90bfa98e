#include "desktop/graphs/RulerPainter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include "desktop/common/QtText.h"

namespace ruler {

QFont font(Qt::Orientation orientation) {
    // A fixed-pitch face that fits the ruler's thickness; the turned labels a pixel smaller.
    QFont face = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    face.setPixelSize(orientation == Qt::Horizontal ? 11 : 10);
    return face;
}

RulerGeometry geometry(Qt::Orientation orientation, QSize size) {
    if (orientation == Qt::Horizontal) return {size.width(), kCornerMargin, 0};
    return {size.height(), 0, kCornerMargin};
}

TextWidth textWidth(const QFont& face) {
    return [metrics = QFontMetrics(face)](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    };
}

int labelCount(Qt::Orientation orientation, QSize size) {
    const RulerGeometry ruler = geometry(orientation, size);
    return rulerLabelCount(ruler.length - ruler.startMargin - ruler.endMargin, textWidth(font(orientation)));
}

RulerLayout layout(Qt::Orientation orientation, QSize size, double low, double high, const QString& unit) {
    return layOutRuler(geometry(orientation, size), low, high, unit.toStdString(),
                       textWidth(font(orientation)));
}

void draw(QPainter& painter, Qt::Orientation orientation, QSize size, double low, double high,
          const QString& unit) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), QColor(192, 192, 192));
    const bool horizontal = orientation == Qt::Horizontal;
    const int length = horizontal ? size.width() : size.height();
    // Positions along the ruler run from its left or bottom end; marks grow from the edge next to
    // the plot (the bottom of the horizontal ruler, the right of the vertical one).
    const auto along = [&](int at, int across) {
        return horizontal ? QPoint(at, kThickness - 1 - across)
                          : QPoint(kThickness - 1 - across, length - at);
    };

    const QRect body = horizontal ? QRect(kCornerMargin, 0, size.width() - kCornerMargin, kThickness)
                                  : QRect(0, kCornerMargin, kThickness, size.height() - kCornerMargin);
    painter.setPen(Qt::white);
    painter.drawLine(body.topLeft(), QPoint(body.right() - 2, body.top()));
    painter.drawLine(body.topLeft(), QPoint(body.left(), body.bottom() - 2));
    painter.setPen(Qt::black);
    painter.drawLine(QPoint(body.left(), body.bottom() - 2), QPoint(body.right() - 2, body.bottom() - 2));
    painter.drawLine(QPoint(body.right() - 2, body.top()), QPoint(body.right() - 2, body.bottom() - 2));

    const RulerLayout marks = layout(orientation, size, low, high, unit);
    for (const RulerMark& mark : marks.marks)
        painter.drawLine(along(mark.at, 0), along(mark.at, mark.length - 1));

    const QFont face = font(orientation);
    painter.setFont(face);
    const int textHeight = kThickness - 3;
    const auto drawText = [&](int start, int textWidth, const QString& text) {
        if (horizontal) {
            painter.drawText(QRect(start, 0, textWidth, textHeight), Qt::AlignCenter, text);
            return;
        }
        painter.save();
        painter.translate(0, length - start);
        painter.rotate(-90);
        painter.drawText(QRect(0, 0, textWidth, textHeight), Qt::AlignCenter, text);
        painter.restore();
    };
    for (const RulerLabel& label : marks.labels)
        drawText(label.start, label.width, fromUtf8(label.text));
    const QString caption = fromUtf8(marks.caption);
    drawText(marks.captionStart, QFontMetrics(face).horizontalAdvance(caption), caption);
    painter.restore();
}

}  // namespace ruler
