#include "desktop/graphs/GraphTrackMap.h"

#include <QPainter>
#include <QPolygonF>

#include "track/MapTransform.h"
#include "track/TrackModel.h"

namespace {

constexpr int kMargin = 5;
constexpr double kLapDotRadius = 3.5;

}  // namespace

GraphTrackMap::GraphTrackMap(const TrackModel* model, QWidget* parent) : QWidget(parent), model_(model) {
    setMinimumSize(120, 90);
}

void GraphTrackMap::setMarker(double distance, std::vector<LapDot> dots) {
    markerDistance_ = distance;
    highlighted_ = model_ && distance != 0 ? model_->findSegment(distance) : std::nullopt;
    dots_ = std::move(dots);
    update();
}

void GraphTrackMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!model_) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const MapTransform transform(width(), height(), kMargin, kMargin, *model_);
    const auto toWidget = [&transform](const TrackPoint& point) {
        const MapPoint mapped = transform.toMap(point);
        return QPointF(static_cast<double>(mapped.x), static_cast<double>(mapped.y));
    };
    for (int segment = 0; segment < model_->segmentCount(); ++segment) {
        QPolygonF line;
        for (const TrackPoint& point : model_->segmentAt(segment).centreLine())
            line.append(toWidget(point));
        const bool highlighted = segment == highlighted_;
        painter.setPen(QPen(highlighted ? QColor(Qt::red) : palette().text().color(), highlighted ? 4 : 1,
                            Qt::SolidLine, Qt::RoundCap));
        painter.drawPolyline(line);
    }
    painter.setPen(QPen(Qt::black, 1));
    for (const LapDot& dot : dots_) {
        const std::optional<TrackPoint> at = model_->positionAt(dot.distance, dot.lateral);
        if (!at) continue;
        painter.setBrush(dot.colour);
        painter.drawEllipse(toWidget(*at), kLapDotRadius, kLapDotRadius);
    }
}
