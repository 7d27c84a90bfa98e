#pragma once

#include <QAbstractScrollArea>
#include <QPoint>

#include "map/MapZoom.h"

class QMenu;
class QRubberBand;

// A scroll view over the map square that zooms in and out on a point, zooms to a dragged box, pans
// with a dragged hand, zooms around the pointer with the mouse wheel, and shows the whole square.
class ZoomView : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum class Tool { None, ZoomIn, ZoomOut };

    explicit ZoomView(QWidget* parent = nullptr);

    Tool zoomTool() const { return tool_; }
    bool panning() const { return panning_; }
    // A button is held down with a tool or the hand.
    bool dragging() const { return dragging_; }
    const MapZoom& zoom() const { return zoom_; }

    // The tools of the zoom bar: each toggles; zooming switches panning off and panning the zoom
    // tools; the status text tells how to use the tool switched on and is cleared when it is off.
    void toggleZoomIn();
    void toggleZoomOut();
    void togglePanning();
    void showWholeMap();
    // On a zoomed map, scrolls so the map point is in the middle once it has left the central part
    // of the view (a fifth of the view from each edge); a whole map never scrolls.
    void keepInView(double mapX, double mapY);
    // Neither zoom tool nor the hand.
    void switchToolsOff() { setTool(Tool::None, false); }
    // Multiplies the zoom factor and keeps the map point in the middle of the view there.
    void zoomAboutCentre(double multiplier);

    // Shown on the right mouse button, when set.
    QMenu* contextMenu = nullptr;

Q_SIGNALS:
    void statusText(const QString& text);
    void toolsChanged();

protected:
    MapZoom& mutableZoom() { return zoom_; }
    void syncScrollBars();

    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setTool(Tool tool, bool panning);
    void afterZoom();

    MapZoom zoom_;
    Tool tool_ = Tool::None;
    bool panning_ = false;
    bool dragging_ = false;
    QPoint dragStart_;
    QPoint scrollAtDragStart_;
    QRubberBand* rubberBand_ = nullptr;
};
