#include "desktop/map/TrackMapView.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>

#include "desktop/map/StartPicture.h"
#include "track/TrackModel.h"

namespace {

constexpr double kScreenMargin = 50;
constexpr double kPrintMarginShare = 0.01;  // of the map area, as 100 of the 10000 square

QColor toQColor(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace

TrackMapView::TrackMapView(const ReplayDocument& document, std::function<LapsShown()> lapsShown,
                           QWidget* parent)
    : ZoomView(parent), document_(document), lapsShown_(std::move(lapsShown)) {
    setMinimumSize(320, 240);
}

void TrackMapView::mapChanged() {
    sceneStale_ = true;
    viewport()->update();
}

void TrackMapView::trackChanged() {
    showWhole_ = true;
}

void TrackMapView::drawScene(QPainter& painter, const MapScene& scene, double pixelsPerUnit, double minPen) {
    for (const MapShape& shape : scene) {
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(shape.points.size()));
        for (const MapPoint& p : shape.points)
            polygon.append(QPointF(static_cast<double>(p.x), static_cast<double>(p.y)));
        if (shape.kind == MapShape::Kind::Fill) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(toQColor(shape.colour));
            painter.drawPolygon(polygon, Qt::WindingFill);
            continue;
        }
        QPen pen(toQColor(shape.colour), std::max(minPen, shape.width * pixelsPerUnit));
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(polygon);
    }
}

void TrackMapView::renderImage() {
    const qreal ratio = devicePixelRatioF();
    const MapZoom& z = zoom();
    image_ = QImage(viewport()->size() * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    const MapZoom::Point origin = z.toView(0, 0);
    painter.translate(origin.x, origin.y);
    painter.scale(z.pixelsPerUnit(), z.pixelsPerUnit());
    drawScene(painter, scene_, z.pixelsPerUnit(), 1);
}

void TrackMapView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const TrackModel* model = document_.trackModel();
    if (!model) return paintStartPicture(painter, viewport()->rect());

    if (showWhole_) {
        showWhole_ = false;
        sceneStale_ = true;
        mutableZoom().showWhole();
        syncScrollBars();
    }
    if (sceneStale_) {
        const MapTransform layout(MapZoom::kSquare, MapZoom::kSquare, kScreenMargin, kScreenMargin, *model);
        scene_ = buildMapScene(document_, layout, lapsShown_());
        sceneStale_ = false;
        image_ = QImage();
    }
    const MapZoom& z = zoom();
    const ImageKey key{z.pixelsPerUnit(),   z.scrollX(),          z.scrollY(),
                       viewport()->width(), viewport()->height(), devicePixelRatioF()};
    if (image_.isNull() || !(key == imageKey_)) {
        imageKey_ = key;
        renderImage();
    }
    painter.drawImage(0, 0, image_);
}

// The header and the labels stand in lines of their own above the map, which takes the rest of
// the page, so nothing overlaps on any paper size.
void TrackMapView::print(QPrinter& printer, const QString& header, const std::vector<PrintLabel>& labels) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(10);
    painter.setFont(font);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int line = painter.fontMetrics().lineSpacing();
    int y = line;
    painter.drawText(0, y, header);
    y += line;
    for (const PrintLabel& label : labels) {
        y += line;
        painter.setPen(label.second);
        painter.drawText(0, y, label.first);
    }
    y += line;
    const TrackModel* model = document_.trackModel();
    const QSize area(page.width(), page.height() - y);
    if (model && area.height() > 0) {
        const MapTransform layout(area.width(), area.height(), area.width() * kPrintMarginShare,
                                  area.height() * kPrintMarginShare, *model);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(0, y);
        drawScene(painter, buildMapScene(document_, layout, lapsShown_()), 1, printer.resolution() / 300.0);
    }
    painter.end();
}
