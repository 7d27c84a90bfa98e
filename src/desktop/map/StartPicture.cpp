#include "desktop/map/StartPicture.h"

#include <QPainter>
#include <QPainterPath>

#include "Version.h"

// A circuit drawn as a rounded loop with a chequered start line, and the program's name.
void paintStartPicture(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect, Qt::white);
    const int width = rect.width(), height = rect.height();
    const QRectF area = QRectF(rect).adjusted(width * 0.15, height * 0.18, -width * 0.15, -height * 0.3);
    QPainterPath track;
    track.moveTo(area.left() + area.width() * 0.2, area.bottom());
    track.cubicTo(area.left() - area.width() * 0.1, area.bottom(), area.left(), area.top(),
                  area.left() + area.width() * 0.35, area.top());
    track.cubicTo(area.left() + area.width() * 0.55, area.top(), area.left() + area.width() * 0.5,
                  area.center().y(), area.left() + area.width() * 0.7, area.center().y());
    track.cubicTo(area.right() + area.width() * 0.1, area.center().y(), area.right(), area.bottom(),
                  area.left() + area.width() * 0.6, area.bottom());
    track.closeSubpath();
    p.setPen(QPen(QColor(60, 140, 60), 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(track);
    p.setPen(QPen(QColor(128, 128, 128), 20, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(track);
    p.setPen(QPen(QColor(255, 0, 0), 2, Qt::DashLine));
    p.drawPath(track);
    const QPointF start(area.left() + area.width() * 0.42, area.bottom());
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 2; ++column)
            p.fillRect(QRectF(start.x() + column * 5, start.y() - 10 + row * 5, 5, 5),
                       (row + column) % 2 ? Qt::white : Qt::black);
    }
    QFont font = p.font();
    font.setPointSizeF(std::max(12.0, height / 28.0));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRectF(rect.left(), rect.top() + height * 0.78, width, height * 0.15), Qt::AlignCenter,
               QStringLiteral("%1 - version %2")
                   .arg(QString::fromLatin1(kProductName), QString::fromLatin1(kProductVersion)));
    p.restore();
}
