#include "desktop/map/ZoomView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <cmath>

ZoomView::ZoomView(QWidget* parent) : QAbstractScrollArea(parent) {
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, viewport());
}

void ZoomView::setTool(Tool tool, bool panning) {
    tool_ = tool;
    panning_ = panning;
    if (tool_ == Tool::ZoomIn) {
        Q_EMIT statusText(QStringLiteral("Click to zoom in on point or drag a zoom box."));
    } else if (tool_ == Tool::ZoomOut) {
        Q_EMIT statusText(QStringLiteral("Click to zoom out on point."));
    } else if (panning_) {
        Q_EMIT statusText(QStringLiteral("Use the panning tool to move the trackmap around."));
    } else {
        Q_EMIT statusText(QString());
    }
    viewport()->setCursor(panning_              ? Qt::OpenHandCursor
                          : tool_ == Tool::None ? Qt::ArrowCursor
                                                : Qt::CrossCursor);
    Q_EMIT toolsChanged();
}

void ZoomView::toggleZoomIn() {
    setTool(tool_ == Tool::ZoomIn ? Tool::None : Tool::ZoomIn, false);
}
void ZoomView::toggleZoomOut() {
    setTool(tool_ == Tool::ZoomOut ? Tool::None : Tool::ZoomOut, false);
}
void ZoomView::togglePanning() {
    setTool(Tool::None, !panning_);
}

void ZoomView::showWholeMap() {
    if (panning_) setTool(tool_, false);
    zoom_.showWhole();
    afterZoom();
}

void ZoomView::zoomAboutCentre(double multiplier) {
    zoom_.zoomAround(zoom_.viewportWidth() / 2.0, zoom_.viewportHeight() / 2.0, multiplier);
    afterZoom();
}

void ZoomView::keepInView(double mapX, double mapY) {
    if (zoom_.factor() <= 1) return;
    const MapZoom::Point at = zoom_.toView(mapX, mapY);
    const double marginX = zoom_.viewportWidth() / 5.0, marginY = zoom_.viewportHeight() / 5.0;
    if (at.x >= marginX && at.x <= zoom_.viewportWidth() - marginX && at.y >= marginY &&
        at.y <= zoom_.viewportHeight() - marginY)
        return;
    const double ppu = zoom_.pixelsPerUnit();
    zoom_.scrollTo(mapX * ppu - zoom_.viewportWidth() / 2.0, mapY * ppu - zoom_.viewportHeight() / 2.0);
    afterZoom();
}

void ZoomView::afterZoom() {
    syncScrollBars();
    viewport()->update();
}

// Page steps are a tenth of the zoomed map, line steps a tenth of a page. The map's size is
// rounded, not raised, to whole pixels: a fitted map is as big as the view give or take a
// fraction of a pixel, and must not get a scroll bar for it.
void ZoomView::syncScrollBars() {
    const double content = zoom_.contentSize();
    const int page = std::max(1, static_cast<int>(content / 10));
    const struct {
        QScrollBar* bar;
        int viewport;
        double position;
    } axes[] = {{horizontalScrollBar(), zoom_.viewportWidth(), zoom_.scrollX()},
                {verticalScrollBar(), zoom_.viewportHeight(), zoom_.scrollY()}};
    for (const auto& axis : axes) {
        const QSignalBlocker quiet(axis.bar);
        axis.bar->setRange(0, std::max(0, static_cast<int>(std::lround(content)) - axis.viewport));
        axis.bar->setPageStep(page);
        axis.bar->setSingleStep(std::max(1, page / 10));
        axis.bar->setValue(static_cast<int>(std::lround(axis.position)));
    }
}

void ZoomView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    zoom_.setViewport(viewport()->width(), viewport()->height());
    syncScrollBars();
}

void ZoomView::scrollContentsBy(int, int) {
    zoom_.scrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

void ZoomView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    dragging_ = panning_ || tool_ != Tool::None;
    dragStart_ = event->position().toPoint();
    scrollAtDragStart_ = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
    if (panning_) viewport()->setCursor(Qt::ClosedHandCursor);
}

void ZoomView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const QPoint at = event->position().toPoint();
    if (panning_) {
        horizontalScrollBar()->setValue(scrollAtDragStart_.x() - (at.x() - dragStart_.x()));
        verticalScrollBar()->setValue(scrollAtDragStart_.y() - (at.y() - dragStart_.y()));
    } else if (tool_ == Tool::ZoomIn) {
        rubberBand_->setGeometry(QRect(dragStart_, at).normalized());
        rubberBand_->show();
    }
}

// In zoom-out mode a drag counts as a click where the button is let go.
void ZoomView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    rubberBand_->hide();
    const QPoint at = event->position().toPoint();
    if (panning_) {
        viewport()->setCursor(Qt::OpenHandCursor);
        return;
    }
    if (tool_ == Tool::ZoomIn) {
        zoom_.zoomToBox(dragStart_.x(), dragStart_.y(), at.x(), at.y());
    } else {
        zoom_.zoomOn(zoom_.toMap(at.x(), at.y()), 1 / MapZoom::kStep);
    }
    afterZoom();
}

void ZoomView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    const QPointF at = event->position();
    zoom_.zoomAround(at.x(), at.y(), std::pow(MapZoom::kStep, notches));
    afterZoom();
}

void ZoomView::contextMenuEvent(QContextMenuEvent* event) {
    if (contextMenu) contextMenu->exec(event->globalPos());
}
