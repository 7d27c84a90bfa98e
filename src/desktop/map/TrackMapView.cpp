#include "desktop/map/TrackMapView.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QToolTip>
#include <cmath>

#include "desktop/common/QtText.h"
#include "desktop/document/DocumentColours.h"
#include "desktop/map/StartPicture.h"
#include "map/LapPosition.h"
#include "map/SampleReadout.h"
#include "track/TrackModel.h"

namespace {

constexpr double kScreenMargin = 50;
constexpr double kPrintMarginShare = 0.01;  // of the map area, as 100 of the 10000 square
constexpr double kReadoutReach = 8;         // pixels from a driving line
constexpr double kCarRadius = 7;            // pixels of a car's disc during playback
constexpr double kDotRadius = 5;            // pixels of a cursor dot

MapTransform screenLayout(const TrackModel& model) {
    return MapTransform(MapZoom::kSquare, MapZoom::kSquare, kScreenMargin, kScreenMargin, model);
}

}  // namespace

TrackMapView::TrackMapView(const ReplayDocument& document, std::function<LapsShown()> lapsShown,
                           QWidget* parent)
    : ZoomView(parent), document_(document), lapsShown_(std::move(lapsShown)) {
    setMinimumSize(320, 240);
    viewport()->setMouseTracking(true);
}

void TrackMapView::mapChanged() {
    sceneStale_ = true;
    clearReadout();
    viewport()->update();
}

void TrackMapView::trackChanged() {
    showWhole_ = true;
}

void TrackMapView::layOutScene() {
    scene_ = buildMapScene(document_, screenLayout(*document_.trackModel()), lapsShown_());
    sceneStale_ = false;
    image_ = QImage();
}

QColor TrackMapView::lapColour(int slot) const {
    return documentColour(document_.lapColourIndex(slot));
}

void TrackMapView::setMapTransform(QPainter& painter) const {
    const MapZoom& z = zoom();
    const MapZoom::Point origin = z.toView(0, 0);
    painter.translate(origin.x, origin.y);
    painter.scale(z.pixelsPerUnit(), z.pixelsPerUnit());
}

void TrackMapView::renderImage() {
    const qreal ratio = devicePixelRatioF();
    image_ = QImage(viewport()->size() * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    setMapTransform(painter);
    drawMapScene(painter, scene_, MapPens::screen(zoom().pixelsPerUnit()),
                 sampleColours_ ? &*sampleColours_ : nullptr);
    for (int slot = ReplayDocument::maxLaps - 1; slot >= 0; --slot)  // lap 1 on top, as on the map
        drawPlayedLine(painter, slot, 0);
}

// Played lines are drawn as the screen draws driving lines: 2 pixels wide, antialiased.
void TrackMapView::drawPlayedLine(QPainter& painter, int slot, std::size_t from) const {
    const std::vector<QPointF>& points = played_[static_cast<std::size_t>(slot)].points;
    if (points.size() < from + 2) return;
    QPen pen(lapColour(slot), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawPolyline(points.data() + from, static_cast<int>(points.size() - from));
}

QRect TrackMapView::carRect(const QPointF& onMap) const {
    const MapZoom::Point at = zoom().toView(onMap.x(), onMap.y());
    const int reach = static_cast<int>(kCarRadius) + 3;
    return QRect(static_cast<int>(at.x) - reach, static_cast<int>(at.y) - reach, 2 * reach + 1,
                 2 * reach + 1);
}

void TrackMapView::playTick(const PlaybackTick& tick) {
    const TrackModel* model = document_.trackModel();
    if (!model) return;
    if (sceneStale_) layOutScene();
    const MapTransform layout = screenLayout(*model);
    QRect dirty;
    for (int slot = ReplayDocument::maxLaps - 1; slot >= 0; --slot) {
        const LapTickValues& values = tick.laps[static_cast<std::size_t>(slot)];
        PlayedLap& lap = played_[static_cast<std::size_t>(slot)];
        if (values.restartLine && !lap.points.empty()) {
            lap = {};
            image_ = QImage();  // drawn again without the old line
            dirty = viewport()->rect();
        }
        const ReplayDocument::Slot& loaded = document_.slots()[static_cast<std::size_t>(slot)];
        if (!values.active || !values.sample || !loaded.drivingLine) continue;
        const std::optional<MapPoint> point = loaded.drivingLine->mapPoint(*values.sample, layout);
        if (!point) continue;  // beyond the end of the track
        const QPointF onMap(static_cast<double>(point->x), static_cast<double>(point->y));
        // The old car, the new one and the segment between them.
        if (lap.car)
            dirty |=
                carRect(*lap.car) | QRect(carRect(*lap.car).center(), carRect(onMap).center()).normalized();
        dirty |= carRect(onMap);
        lap.points.push_back(onMap);
        lap.car = onMap;
        if (!image_.isNull() && lap.points.size() >= 2) {
            QPainter painter(&image_);
            painter.setRenderHint(QPainter::Antialiasing);
            setMapTransform(painter);
            drawPlayedLine(painter, slot, lap.points.size() - 2);
        }
    }
    if (!dirty.isNull()) viewport()->update(dirty.adjusted(-2, -2, 2, 2));
}

void TrackMapView::clearPlayback() {
    played_ = {};
    image_ = QImage();
    viewport()->update();
}

std::optional<QPointF> TrackMapView::carPosition(int slot) const {
    return played_[static_cast<std::size_t>(slot)].car;
}

// Each car: a disc in its lap's colour with the lap's number.
void TrackMapView::drawCars(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(10);
    painter.setFont(font);
    for (int slot = ReplayDocument::maxLaps - 1; slot >= 0; --slot) {
        const std::optional<QPointF>& car = played_[static_cast<std::size_t>(slot)].car;
        if (!car) continue;
        const QRectF disc = QRectF(carRect(*car)).adjusted(3, 3, -3, -3);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(lapColour(slot));
        painter.drawEllipse(disc);
        painter.setPen(lapColour(slot).lightness() > 150 ? Qt::black : Qt::white);
        painter.drawText(disc, Qt::AlignCenter, QString::number(slot + 1));
    }
    painter.restore();
}

std::vector<int> TrackMapView::legendLaps() const {
    // A scene laid out before the laps changed may still name a slot emptied since.
    const auto inUse = [this](int lap) { return document_.slots()[static_cast<std::size_t>(lap)].inUse; };
    std::vector<int> laps;
    for (const MapShape& shape : scene_)
        if (shape.lap >= 0 && inUse(shape.lap)) laps.push_back(shape.lap);
    if (laps.empty()) {
        for (int lap = 0; lap < ReplayDocument::maxLaps; ++lap)
            if (played_[static_cast<std::size_t>(lap)].car && inUse(lap)) laps.push_back(lap);
    }
    return laps;
}

std::vector<LegendEntry> TrackMapView::legendEntries() const {
    std::vector<LegendEntry> entries;
    for (const int lap : legendLaps())
        entries.push_back(
            {fromWin1252(lapCaption(document_.slots()[static_cast<std::size_t>(lap)])), lapColour(lap)});
    return entries;
}

void TrackMapView::drawLegend(QPainter& painter) {
    ::drawLegend(painter, viewport()->rect(), legendEntries());
}

QString TrackMapView::legendToolTip(QPoint at) const {
    QFont bold = viewport()->font();
    bold.setBold(true);
    const std::vector<int> laps = legendLaps();
    const std::vector<QRect> rows = legendRows(bold, viewport()->rect(), legendEntries());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].contains(at))
            return fromWin1252(fullLapCaption(document_.slots()[static_cast<std::size_t>(laps[i])]));
    }
    return {};
}

void TrackMapView::setComparisonCursor(const std::vector<int>& slots, std::optional<double> distance) {
    QRect dirty;
    for (std::optional<QPointF>& dot : cursorDots_) {
        if (dot) dirty |= dotRect(*dot);
        dot.reset();
    }
    const TrackModel* model = document_.trackModel();
    if (model && distance) {
        const MapTransform layout = screenLayout(*model);
        for (const int slot : slots) {
            if (slot < 0 || slot >= ReplayDocument::maxLaps) continue;
            const auto at =
                lapPositionAt(document_.slots()[static_cast<std::size_t>(slot)], *distance, layout);
            if (!at) continue;
            cursorDots_[static_cast<std::size_t>(slot)] = QPointF(at->x, at->y);
            dirty |= dotRect(QPointF(at->x, at->y));
        }
    }
    if (!dirty.isNull()) viewport()->update(dirty);
}

std::optional<QPointF> TrackMapView::cursorDot(int slot) const {
    return cursorDots_[static_cast<std::size_t>(slot)];
}

void TrackMapView::setSampleColours(std::optional<SampleColours> colours) {
    sampleColours_ = std::move(colours);
    image_ = QImage();
    viewport()->update();
}

QRect TrackMapView::dotRect(const QPointF& onMap) const {
    const MapZoom::Point at = zoom().toView(onMap.x(), onMap.y());
    const int reach = static_cast<int>(kDotRadius) + 3;
    return QRect(static_cast<int>(at.x) - reach, static_cast<int>(at.y) - reach, 2 * reach + 1,
                 2 * reach + 1);
}

// Each dot in its lap's colour, framed so it shows on its own line.
void TrackMapView::drawCursorDots(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int slot = ReplayDocument::maxLaps - 1; slot >= 0; --slot) {
        const std::optional<QPointF>& dot = cursorDots_[static_cast<std::size_t>(slot)];
        if (!dot) continue;
        const MapZoom::Point at = zoom().toView(dot->x(), dot->y());
        painter.setPen(QPen(Qt::black, 1.5));
        painter.setBrush(lapColour(slot));
        painter.drawEllipse(QPointF(at.x, at.y), kDotRadius, kDotRadius);
    }
    painter.restore();
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
    if (sceneStale_) layOutScene();
    const MapZoom& z = zoom();
    const ImageKey key{z.pixelsPerUnit(),   z.scrollX(),          z.scrollY(),
                       viewport()->width(), viewport()->height(), devicePixelRatioF()};
    if (image_.isNull() || !(key == imageKey_)) {
        imageKey_ = key;
        renderImage();
    }
    painter.drawImage(0, 0, image_);
    drawCars(painter);
    drawCursorDots(painter);
    drawLegend(painter);
    drawNote(painter, viewport()->rect(), readoutAt_, readout_, readoutColour_);
}

void TrackMapView::mouseMoveEvent(QMouseEvent* event) {
    ZoomView::mouseMoveEvent(event);
    if (dragging()) return clearReadout();
    showReadout(event->position().toPoint());
}

bool TrackMapView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) clearReadout();
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = legendToolTip(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return ZoomView::viewportEvent(event);
}

void TrackMapView::showReadout(QPoint at) {
    if (!document_.trackModel()) return clearReadout();
    if (sceneStale_) layOutScene();
    const MapZoom& z = zoom();
    const MapZoom::Point onMap = z.toMap(at.x(), at.y());
    const auto sample = nearestSample(document_, scene_, {std::lround(onMap.x), std::lround(onMap.y)},
                                      kReadoutReach / z.pixelsPerUnit());
    QStringList lines;
    if (sample) {
        const LapTelemetry& lap = *document_.slots()[static_cast<std::size_t>(sample->slot)].lapData;
        Q_EMIT lineHovered(lap.distanceM[static_cast<std::size_t>(sample->sample)]);
        for (const std::string& line : sampleReadout(document_, *sample))
            lines.append(fromWin1252(line));
        readoutColour_ = lapColour(sample->slot);
    }
    if (lines == readout_ && (lines.isEmpty() || at == readoutAt_)) return;
    readout_ = lines;
    readoutAt_ = at;
    viewport()->update();
}

void TrackMapView::clearReadout() {
    if (readout_.isEmpty()) return;
    readout_.clear();
    viewport()->update();
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
        drawMapScene(painter, buildMapScene(document_, layout, lapsShown_()),
                     MapPens::print(printer.resolution()));
    }
    painter.end();
}
