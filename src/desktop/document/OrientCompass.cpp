#include "desktop/document/OrientCompass.h"

#include <QPainter>
#include <cmath>
#include <numbers>

OrientCompass::OrientCompass(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setFixedSize(sizeHint());
}

void OrientCompass::setSector(std::optional<int> sector) {
    if (sector == sector_) return;
    sector_ = sector;
    update();
}

void OrientCompass::paintEvent(QPaintEvent*) {
    if (!sector_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    const double radius = std::min(width(), height()) / 2.0 - 1;
    painter.setPen(QPen(colour_.darker(125), 1));
    painter.drawEllipse(centre, radius, radius);
    // Sector 4 (heading 0) points up; each further sector a sixteenth of a turn clockwise.
    const double angle = (*sector_ - 4) * 2 * std::numbers::pi / 16;
    const QPointF tip = centre + QPointF(std::sin(angle), -std::cos(angle)) * (radius - 1);
    painter.setPen(QPen(colour_.darker(125), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, tip);
}
