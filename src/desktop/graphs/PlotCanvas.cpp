#include "desktop/graphs/PlotCanvas.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "desktop/common/QtText.h"
#include "desktop/graphs/PlotPainter.h"
#include "desktop/graphs/PlotRuler.h"

namespace {

// Wheel steps closer together than this are one gesture: one entry for Undo.
constexpr int kWheelGestureMs = 600;
// One notch of the wheel zooms by this much.
constexpr double kWheelZoom = 1.25;
constexpr int kTooltipMs = 32767;

}  // namespace

PlotCanvas::PlotCanvas(const PlotModel& model, HorizontalRuler* xRuler, VerticalRuler* yRuler,
                       QWidget* parent)
    : QWidget(parent), model_(model), xRuler_(xRuler), yRuler_(yRuler) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The menu opens when the right button is released, as the plot's own.
    setContextMenuPolicy(Qt::PreventContextMenu);
    tipDelay_.setSingleShot(true);
    tipDelay_.setInterval(100);
    connect(&tipDelay_, &QTimer::timeout, this, &PlotCanvas::showCoordinatesTip);
}

ValueMap PlotCanvas::xMap() const {
    return xMapOf(range_, width());
}

ValueMap PlotCanvas::yMap() const {
    return yMapOf(range_, height());
}

void PlotCanvas::render() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (picture_.size() != pixels) picture_ = QImage(pixels, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    PlotGrid grid;
    if (flags_ & AxisGrid) {
        grid.xPixels = computeTicks(xMap(), xRuler_->labelCount()).pixels;
        grid.yPixels = computeTicks(yMap(), yRuler_->labelCount()).pixels;
    }
    drawPlot(picture_, model_, xMap(), yMap(), (flags_ & AxisGrid) ? &grid : nullptr);
    pictureCurrent_ = true;
    ++renderCount_;
}

void PlotCanvas::pictureChanged(bool redraw) {
    pictureCurrent_ = false;
    if (redraw) update();
}

void PlotCanvas::react(const PlotNotice& notice) {
    switch (reactionTo(notice.code)) {
        case PlotReaction::None:
            break;
        case PlotReaction::Redraw:
            pictureChanged(notice.redraw);
            break;
        case PlotReaction::SetView:
            setFlags(notice.flags, notice.redraw);
            setRange(notice.range, notice.redraw);
            break;
        case PlotReaction::UpdateRuler: {
            PlotRuler* ruler = notice.isX ? static_cast<PlotRuler*>(xRuler_) : yRuler_;
            const AxisInfo& axis = model_.axis(notice.isX);
            ruler->setAxisTexts(fromUtf8(axis.unit()), fromUtf8(axis.label()));
            if (notice.redraw) ruler->update();
            break;
        }
    }
}

void PlotCanvas::setRange(const PlotRange& range, bool redraw) {
    if (range == range_) return;
    range_ = range;
    xRuler_->setRange(range.x1, range.x2);
    yRuler_->setRange(range.y1, range.y2);
    pictureChanged(redraw);
    Q_EMIT rangeChanged();
}

std::optional<int> PlotCanvas::markerPixel() const {
    if (!markerX_) return std::nullopt;
    const int x = xMap().toPixel(*markerX_);
    if (x < 0 || x >= width()) return std::nullopt;
    return x;
}

// Only the columns around the line are copied again.
void PlotCanvas::updateMarker() {
    if (const std::optional<int> x = markerPixel()) update(*x - 1, 0, 3, height());
}

void PlotCanvas::setMarkerX(std::optional<double> x) {
    if (x == markerX_) return;
    updateMarker();
    markerX_ = x;
    updateMarker();
}

void PlotCanvas::setFlags(quint32 flags, bool redraw) {
    if (flags == flags_) return;
    flags_ = flags;
    if (!(flags & MouseCoordinates)) {
        tipDelay_.stop();
        QToolTip::hideText();
    }
    pictureChanged(redraw);
}

void PlotCanvas::showRange(const PlotRange& range) {
    if (isShowable(range)) setRange(range, true);
}

void PlotCanvas::applyZoom() {
    setZoomToolActive(false);
    const QRect area = zoomRect_.rect();
    const PlotRange zoomed = zoomedTo(xMap(), yMap(), area.left(), area.left() + area.width(),
                                      area.top() + area.height(), area.top());
    if (!isShowable(zoomed)) return;
    saveUndo();
    setRange(zoomed, true);
}

void PlotCanvas::fit(FitKind kind) {
    const std::optional<DataBounds> bounds = model_.dataBounds();
    if (!bounds) return;
    saveUndo();
    setRange(fitted(range_, *bounds, kind), true);
}

void PlotCanvas::undo() {
    if (!undoRange_) return;
    const PlotRange saved = *undoRange_;
    undoRange_.reset();
    setRange(saved, true);
}

void PlotCanvas::setZoomToolActive(bool active) {
    zoomToolActive_ = active;
    zoomRect_.endDrag();
    if (!active) unsetCursor();
    update();
}

QMenu* PlotCanvas::createMenu(QWidget* parent) {
    auto* menu = new QMenu(tr("Graphix window properties"), parent);
    const auto add = [this](QMenu* to, const QString& text, Command command, auto handler) {
        QAction* action = to->addAction(text);
        action->setData(command);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const auto checkable = [](QAction* action, bool checked) {
        action->setCheckable(true);
        action->setChecked(checked);
    };
    checkable(add(menu, tr("Mouse coordinates"), ToggleCoordinates,
                  [this] { setFlags(flags_ ^ MouseCoordinates, true); }),
              flags_ & MouseCoordinates);
    checkable(add(menu, tr("Axis"), ToggleGrid, [this] { setFlags(flags_ ^ AxisGrid, true); }),
              flags_ & AxisGrid);
    checkable(add(menu, tr("Zoom tool"), ToggleZoomTool,
                  [this] {
                      if (!zoomToolActive_) zoomRect_.setRect(QRect(QPoint(5, 5), QPoint(50, 50)));
                      setZoomToolActive(!zoomToolActive_);
                  }),
              zoomToolActive_);
    add(menu, tr("Apply zoom"), ApplyZoom, [this] { applyZoom(); })->setEnabled(zoomToolActive_);
    QMenu* fitMenu = menu->addMenu(tr("Fit"));
    const bool hasData = model_.dataBounds().has_value();
    add(fitMenu, tr("Fit width"), FitWidth, [this] { fit(FitKind::Width); })->setEnabled(hasData);
    add(fitMenu, tr("Fit height"), FitHeight, [this] { fit(FitKind::Height); })->setEnabled(hasData);
    add(fitMenu, tr("Fit page"), FitPage, [this] { fit(FitKind::Page); })->setEnabled(hasData);
    add(menu, tr("Undo"), Undo, [this] { undo(); })->setEnabled(canUndo());
    return menu;
}

void PlotCanvas::popUpMenu(const QPoint& globalPosition) {
    const std::unique_ptr<QMenu> menu(createMenu(this));
    menu->exec(globalPosition);
}

void PlotCanvas::paintEvent(QPaintEvent*) {
    if (!pictureCurrent_ || picture_.size() != size() * devicePixelRatioF()) render();
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    if (zoomToolActive_) zoomRect_.paint(painter);
    if (banding_) {
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.drawRect(bandRect().adjusted(0, 0, -1, -1));
    }
    if (const std::optional<int> x = markerPixel()) {
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(*x, 0, *x, height() - 1);
    }
}

void PlotCanvas::resizeEvent(QResizeEvent*) {
    pictureCurrent_ = false;
}

void PlotCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (event->modifiers() & Qt::ShiftModifier) {
        panning_ = true;
        panPrevious_ = at;
        return;
    }
    if (zoomToolActive_) {
        const ZoomRectangle::Part part = zoomRect_.partAt(at);
        if (part != ZoomRectangle::Part::None) {
            zoomRect_.beginDrag(part, at);
            return;
        }
        setZoomToolActive(false);  // a press beside the rectangle starts a new one
    }
    banding_ = true;
    bandStart_ = bandEnd_ = at;
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (panning_) {
        showRange(panned(range_, xMap(), yMap(), panPrevious_.x(), panPrevious_.y(), at.x(), at.y()));
        panPrevious_ = at;
    } else if (zoomRect_.dragging()) {
        const QRect before = zoomRect_.paintedArea();
        zoomRect_.dragTo(at);
        update(before.united(zoomRect_.paintedArea()));
    } else if (banding_) {
        const QRect before = bandRect();
        bandEnd_ = at;
        update(before.united(bandRect()).adjusted(-2, -2, 2, 2));
    } else if (zoomToolActive_) {
        setCursor(ZoomRectangle::cursorFor(zoomRect_.partAt(at)));
    }
    Q_EMIT pointerMoved(xMap().toValue(at.x()));
    trackCoordinates(at);
}

void PlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        popUpMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (panning_) {
        showRange(panned(range_, xMap(), yMap(), panPrevious_.x(), panPrevious_.y(), at.x(), at.y()));
        panning_ = false;
    } else if (zoomRect_.dragging()) {
        zoomRect_.endDrag();
    } else if (banding_) {
        banding_ = false;
        bandEnd_ = at;
        const QRect band = bandRect();
        if (band.width() >= ZoomRectangle::kMinimumSize && band.height() >= ZoomRectangle::kMinimumSize) {
            zoomRect_.setRect(band);
            zoomToolActive_ = true;
        }
        update();
    }
}

void PlotCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!zoomToolActive_) {
        fit(FitKind::Page);
    } else if (zoomRect_.partAt(event->position().toPoint()) != ZoomRectangle::Part::None) {
        applyZoom();
    }
}

void PlotCanvas::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    const QPoint at = event->position().toPoint();
    const PlotRange zoomed =
        zoomedAbout(range_, xMap(), yMap(), at.x(), at.y(), std::pow(kWheelZoom, delta / 120.0));
    if (!isShowable(zoomed)) return;
    if (!lastWheel_.isValid() || lastWheel_.elapsed() > kWheelGestureMs) saveUndo();
    lastWheel_.restart();
    setRange(zoomed, true);
}

void PlotCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && (zoomToolActive_ || banding_)) {
        banding_ = false;
        setZoomToolActive(false);
    } else if (event->key() == Qt::Key_Menu) {
        popUpMenu(mapToGlobal(rect().center()));
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PlotCanvas::trackCoordinates(const QPoint& at) {
    if (--tooltipCountdown_ >= 1) return;
    tooltipCountdown_ = 4;
    const double x = xMap().toValue(at.x()), y = yMap().toValue(at.y());
    coordinatesText_ = QStringLiteral("x=%1, y=%2")
                           .arg(fromUtf8(model_.formatValue(x, true, AxisInfo::NumberAndUnit)),
                                fromUtf8(model_.formatValue(y, false, AxisInfo::NumberAndUnit)));
    Q_EMIT pointerX(x);
    if (!(flags_ & MouseCoordinates)) {
        tipDelay_.stop();
        return;
    }
    if (QToolTip::isVisible())
        showCoordinatesTip();
    else
        tipDelay_.start();
}

void PlotCanvas::showCoordinatesTip() {
    if (underMouse() && (flags_ & MouseCoordinates))
        QToolTip::showText(QCursor::pos(), coordinatesText_, this, rect(), kTooltipMs);
}
