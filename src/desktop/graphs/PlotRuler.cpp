#include "desktop/graphs/PlotRuler.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include "desktop/common/QtText.h"

PlotRuler::PlotRuler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation), font_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
    // A fixed-pitch face that fits the ruler's thickness; the rotated labels a pixel smaller.
    font_.setPixelSize(orientation == Qt::Horizontal ? 11 : 10);
    setToolTipDuration(32767);
}

void PlotRuler::setRange(double low, double high) {
    low_ = low;
    high_ = high;
    repaint();
}

void PlotRuler::setAxisTexts(const QString& unit, const QString& label) {
    unit_ = unit;
    setToolTip(label);
}

RulerGeometry PlotRuler::rulerGeometry() const {
    if (orientation_ == Qt::Horizontal) return {width(), kCornerMargin, 0};
    return {height(), 0, kCornerMargin};
}

TextWidth PlotRuler::textWidth() const {
    return [metrics = QFontMetrics(font_)](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    };
}

int PlotRuler::labelCount() const {
    const RulerGeometry ruler = rulerGeometry();
    return rulerLabelCount(ruler.length - ruler.startMargin - ruler.endMargin, textWidth());
}

RulerLayout PlotRuler::layout() const {
    return layOutRuler(rulerGeometry(), low_, high_, unit_.toStdString(), textWidth());
}

void PlotRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));

    const bool horizontal = orientation_ == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    // Positions along the ruler run from its left or bottom end; marks grow from the edge next to
    // the plot (the bottom of the horizontal ruler, the right of the vertical one).
    const auto along = [&](int at, int across) {
        return horizontal ? QPoint(at, kThickness - 1 - across)
                          : QPoint(kThickness - 1 - across, length - at);
    };

    const QRect body = horizontal ? QRect(kCornerMargin, 0, width() - kCornerMargin, kThickness)
                                  : QRect(0, kCornerMargin, kThickness, height() - kCornerMargin);
    painter.setPen(Qt::white);
    painter.drawLine(body.topLeft(), QPoint(body.right() - 2, body.top()));
    painter.drawLine(body.topLeft(), QPoint(body.left(), body.bottom() - 2));
    painter.setPen(Qt::black);
    painter.drawLine(QPoint(body.left(), body.bottom() - 2), QPoint(body.right() - 2, body.bottom() - 2));
    painter.drawLine(QPoint(body.right() - 2, body.top()), QPoint(body.right() - 2, body.bottom() - 2));

    const RulerLayout ruler = layout();
    for (const RulerMark& mark : ruler.marks)
        painter.drawLine(along(mark.at, 0), along(mark.at, mark.length - 1));

    painter.setFont(font_);
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
    for (const RulerLabel& label : ruler.labels)
        drawText(label.start, label.width, fromUtf8(label.text));
    const QString caption = fromUtf8(ruler.caption);
    drawText(ruler.captionStart, QFontMetrics(font_).horizontalAdvance(caption), caption);
}
