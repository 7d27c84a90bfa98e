#include "desktop/map/MapPainter.h"

#include <QPolygonF>
#include <algorithm>

#include "desktop/document/DocumentColours.h"

namespace {

constexpr int kPadding = 6;
constexpr int kStroke = 18;  // length of a legend entry's colour stroke
constexpr int kPointerGap = 16;

QPolygonF polygonOf(const MapShape& shape) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(shape.points.size()));
    for (const MapPoint& point : shape.points)
        polygon.append(QPointF(static_cast<double>(point.x), static_cast<double>(point.y)));
    return polygon;
}

// Each stretch between two points in the colour of the first; stretches of one colour in one
// polyline, so its joins stay round.
void drawInSampleColours(QPainter& painter, const MapShape& shape, QPen pen,
                         const std::vector<Rgb>& bySample) {
    const QPolygonF polygon = polygonOf(shape);
    const std::size_t count = std::min(shape.points.size(), shape.samples.size());
    const auto colourAt = [&](std::size_t point) {
        const auto sample = static_cast<std::size_t>(shape.samples[point]);
        return sample < bySample.size() ? bySample[sample] : shape.colour;
    };
    for (std::size_t start = 0; start + 1 < count;) {
        const Rgb colour = colourAt(start);
        std::size_t end = start + 1;
        while (end + 1 < count && colourAt(end) == colour)
            ++end;
        pen.setColor(toQColor(colour));
        painter.setPen(pen);
        painter.drawPolyline(polygon.constData() + start, static_cast<int>(end - start + 1));
        start = end;
    }
}

void drawShape(QPainter& painter, const MapShape& shape, const MapPens& pens,
               const SampleColours* sampleColours) {
    if (shape.kind == MapShape::Kind::Fill) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(shape.colour));
        painter.drawPolygon(polygonOf(shape), Qt::WindingFill);
        return;
    }
    const double thinnest = shape.lap >= 0 ? pens.thinnestDriving : pens.thinnest;
    QPen pen(toQColor(shape.colour), std::max(thinnest, shape.width * pens.perUnit));
    pen.setCosmetic(pens.cosmetic);
    pen.setCapStyle(shape.lap >= 0 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (sampleColours && shape.lap == sampleColours->slot)
        return drawInSampleColours(painter, shape, pen, sampleColours->bySample);
    painter.drawPolyline(polygonOf(shape));
}

int widestText(const QFontMetrics& metrics, const QStringList& lines) {
    int widest = 0;
    for (const QString& text : lines)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// A box of text lines with a pale, nearly opaque background and a thin frame.
void drawBox(QPainter& painter, const QRect& box) {
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

}  // namespace

MapPens MapPens::screen(double pixelsPerUnit) {
    return {true, pixelsPerUnit, 1, 2, true};
}

MapPens MapPens::print(double dotsPerInch) {
    const double dot = dotsPerInch / 300;
    return {false, dot, dot, dot, false};
}

void drawMapScene(QPainter& painter, const MapScene& scene, const MapPens& pens,
                  const SampleColours* sampleColours) {
    const auto firstLine =
        std::find_if(scene.begin(), scene.end(), [](const MapShape& shape) { return shape.lap >= 0; });
    for (auto shape = scene.begin(); shape != firstLine; ++shape)
        drawShape(painter, *shape, pens, sampleColours);
    if (pens.firstLapOnTop) {
        for (auto shape = scene.end(); shape != firstLine;)
            drawShape(painter, *--shape, pens, sampleColours);
    } else {
        for (auto shape = firstLine; shape != scene.end(); ++shape)
            drawShape(painter, *shape, pens, sampleColours);
    }
}

std::vector<QRect> legendRows(const QFont& font, const QRect& area, const std::vector<LegendEntry>& entries) {
    const QFontMetrics metrics(font);
    QStringList texts;
    for (const LegendEntry& entry : entries)
        texts.append(entry.text);
    const int width = kPadding + kStroke + widestText(metrics, texts);
    const int line = metrics.lineSpacing();
    std::vector<QRect> rows;
    for (std::size_t i = 0; i < entries.size(); ++i)
        rows.emplace_back(area.left() + 2 * kPadding, area.top() + 2 * kPadding + line * static_cast<int>(i),
                          width, line);
    return rows;
}

void drawLegend(QPainter& painter, const QRect& area, const std::vector<LegendEntry>& entries) {
    if (entries.empty()) return;
    painter.save();
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    const std::vector<QRect> rows = legendRows(bold, area, entries);
    drawBox(painter, (rows.front() | rows.back()).adjusted(-kPadding, -kPadding, kPadding, kPadding));
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry& entry = entries[i];
        const QRect& row = rows[i];
        const int middle = row.top() + row.height() / 2;
        painter.setPen(QPen(entry.colour, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(row.left(), middle, row.left() + kStroke, middle);
        painter.setPen(entry.colour.darker(125));
        painter.drawText(row.adjusted(kPadding + kStroke, 0, 0, 0), Qt::AlignVCenter, entry.text);
    }
    painter.restore();
}

void drawNote(QPainter& painter, const QRect& area, QPoint anchor, const QStringList& lines,
              QColor titleColour) {
    if (lines.isEmpty()) return;
    painter.save();
    QFont bold = painter.font();
    bold.setBold(true);
    const int textWidth =
        std::max(widestText(QFontMetrics(bold), {lines.front()}), widestText(painter.fontMetrics(), lines));
    const int line = painter.fontMetrics().lineSpacing();
    QRect box(0, 0, 2 * kPadding + textWidth, 2 * kPadding + line * static_cast<int>(lines.size()));
    // Below right of the pointer, or on the other side where the view ends.
    box.moveTopLeft(anchor + QPoint(kPointerGap, kPointerGap));
    if (box.right() > area.right()) box.moveRight(anchor.x() - kPointerGap);
    if (box.bottom() > area.bottom()) box.moveBottom(anchor.y() - kPointerGap);
    drawBox(painter, box);
    const QFont regular = painter.font();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        painter.setFont(i == 0 ? bold : regular);
        painter.setPen(i == 0 ? titleColour.darker(125) : QColor(Qt::black));
        const int y = box.top() + kPadding + line * static_cast<int>(i);
        painter.drawText(QRect(box.left() + kPadding, y, textWidth, line), Qt::AlignVCenter, lines[i]);
    }
    painter.restore();
}
