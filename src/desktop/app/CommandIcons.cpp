#include "desktop/app/CommandIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include "document/ReplayDocument.h"

namespace {

constexpr int kIconSize = 32;
constexpr double kDisabledOpacity = 0.4;

// A 32 x 32 icon drawn with antialiasing on a transparent ground; the painting ends before the
// picture is taken.
template <typename Draw>
QIcon drawnIcon(const Draw& draw) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    return QIcon(pixmap);
}

QIcon magnifier(bool plus) {
    return drawnIcon([&](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 3));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QRectF(4, 4, 18, 18));
        p.drawLine(QPointF(19, 19), QPointF(28, 28));
        p.setPen(QPen(QColor(40, 40, 40), 2.5));
        p.drawLine(QPointF(8, 13), QPointF(18, 13));
        if (plus) p.drawLine(QPointF(13, 8), QPointF(13, 18));
    });
}

QIcon fitToTrack() {
    return drawnIcon([&](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 90), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRoundedRect(QRectF(7, 9, 18, 14), 6, 6);
        p.setPen(QPen(QColor(40, 40, 40), 2));
        for (const auto& [from, to] : {std::pair{QPointF(2, 2), QPointF(2, 8)},
                                       {QPointF(2, 2), QPointF(8, 2)},
                                       {QPointF(30, 30), QPointF(30, 24)},
                                       {QPointF(30, 30), QPointF(24, 30)}}) {
            p.drawLine(from, to);
        }
    });
}

QIcon hand() {
    return drawnIcon([&](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.setBrush(QColor(250, 220, 180));
        for (int finger = 0; finger < 4; ++finger)
            p.drawRoundedRect(QRectF(8 + finger * 4.5, 4 + (finger == 0 || finger == 3 ? 3 : 0), 4.5, 14), 2,
                              2);
        p.drawRoundedRect(QRectF(8, 14, 18, 14), 5, 5);
    });
}

QIcon lapToggle(int lap) {
    return drawnIcon([&](QPainter& p) {
        const Rgb& c = ReplayDocument::colourTable()[static_cast<std::size_t>(lap)];
        p.setPen(QPen(QColor(c.r, c.g, c.b).darker(140), 2));
        p.setBrush(QColor(c.r, c.g, c.b));
        p.drawRoundedRect(QRectF(3, 3, 26, 26), 5, 5);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(18);
        p.setFont(font);
        p.setPen(lap == 3 || lap == 4 || lap == 2 ? Qt::black : Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QString::number(lap + 1));
    });
}

QIcon graph() {
    return drawnIcon([&](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawLine(4, 28, 28, 28);
        p.drawLine(4, 28, 4, 4);
        QPainterPath curve(QPointF(6, 24));
        curve.cubicTo(12, 4, 18, 30, 28, 8);
        p.setPen(QPen(QColor(220, 0, 0), 2.5));
        p.drawPath(curve);
    });
}

QIcon gearLever() {
    return drawnIcon([&](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 2.5));
        for (int x : {8, 16, 24})
            p.drawLine(x, 6, x, 26);
        p.drawLine(8, 16, 24, 16);
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(QPointF(16, 6), 4, 4);
    });
}

QIcon printer() {
    return drawnIcon([&](QPainter& p) {
        p.setPen(QPen(QColor(50, 50, 50), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(3, 11, 26, 12), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 18, 14, 11));
        p.drawLine(QPointF(12, 22), QPointF(20, 22));
        p.drawLine(QPointF(12, 25), QPointF(20, 25));
    });
}

QIcon finder() {
    return drawnIcon([&](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(4, 3, 18, 24));
        for (int y = 8; y < 24; y += 4)
            p.drawLine(7, y, 19, y);
        p.setPen(QPen(QColor(30, 30, 30), 3));
        p.setBrush(QColor(220, 235, 255, 200));
        p.drawEllipse(QRectF(14, 12, 12, 12));
        p.drawLine(QPointF(24, 22), QPointF(30, 29));
    });
}

// The style's disabled rendering of the picture, faded further: the style alone only greys the
// colours, which leaves dark pictures looking usable.
QIcon withDisabledLook(const QIcon& icon, const QStyle& style) {
    if (icon.isNull()) return icon;
    const QPixmap normal = icon.pixmap(kIconSize, kIconSize);
    QStyleOption option;
    option.palette = QApplication::palette();
    const QPixmap greyed = style.generatedIconPixmap(QIcon::Disabled, normal, &option);
    QPixmap faded(normal.size());
    faded.fill(Qt::transparent);
    {
        QPainter p(&faded);
        p.setOpacity(kDisabledOpacity);
        p.drawPixmap(0, 0, greyed);
    }
    QIcon result(normal);
    result.addPixmap(faded, QIcon::Disabled);
    return result;
}

}  // namespace

CommandPicture standardPicture(QStyle::StandardPixmap which) {
    return [which](const QStyle& style) { return style.standardIcon(which); };
}

QIcon lapFinderPicture(const QStyle&) {
    return finder();
}
QIcon printPicture(const QStyle&) {
    return QIcon::fromTheme(QStringLiteral("document-print"), printer());
}
QIcon graphPicture(const QStyle&) {
    return graph();
}
QIcon gearLeverPicture(const QStyle&) {
    return gearLever();
}
QIcon zoomInPicture(const QStyle&) {
    return magnifier(true);
}
QIcon zoomOutPicture(const QStyle&) {
    return magnifier(false);
}
QIcon fitToTrackPicture(const QStyle&) {
    return fitToTrack();
}
QIcon panningPicture(const QStyle&) {
    return hand();
}
CommandPicture lapTogglePicture(int slot) {
    return [slot](const QStyle&) { return lapToggle(slot); };
}

QIcon commandIcon(const CommandPicture& picture, const QStyle& style) {
    return picture ? withDisabledLook(picture(style), style) : QIcon();
}
