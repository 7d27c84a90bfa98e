#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "desktop/graphs/ZoomRectangle.h"
#include "graphs/PlotModel.h"
#include "graphs/PlotRange.h"

class QMenu;
class HorizontalRuler;
class VerticalRuler;

// The plot window: the model's curves over the shown range, drawn once into an off-screen picture
// and copied to the screen. The user zooms with a dragged rectangle (moved, resized, then applied
// by a double click or the menu), with the mouse wheel about the pointer, pans with Shift and the
// left button, fits the view to the data (a double click, or the menu), undoes the last zoom or
// fit, and reads the values under the pointer in a tooltip.
class PlotCanvas : public QWidget {
    Q_OBJECT

public:
    enum Flag : quint32 { MouseCoordinates = 4, AxisGrid = 8 };
    // The items of the plot's menu, by their command numbers.
    enum Command : int {
        ToggleCoordinates = 40002,
        ToggleZoomTool = 40005,
        Undo = 40006,
        ApplyZoom = 40007,
        FitWidth = 40008,
        FitHeight = 40009,
        FitPage = 40010,
        ToggleGrid = 40012,
    };

    PlotCanvas(const PlotModel& model, HorizontalRuler* xRuler, VerticalRuler* yRuler,
               QWidget* parent = nullptr);

    void react(const PlotNotice& notice);

    // Each does nothing when nothing changes; otherwise the rulers follow and the picture is drawn
    // again, shown at once when `redraw` is set.
    void setRange(const PlotRange& range, bool redraw);
    void setFlags(quint32 flags, bool redraw);
    const PlotRange& range() const { return range_; }
    quint32 flags() const { return flags_; }

    void applyZoom();
    void fit(FitKind kind);
    void undo();
    bool canUndo() const { return undoRange_.has_value(); }
    // A range set by the program, not the user, ends what Undo could go back to.
    void discardUndo() { undoRange_.reset(); }
    void setZoomToolActive(bool active);
    bool zoomToolActive() const { return zoomToolActive_; }
    QRect zoomRect() const { return zoomRect_.rect(); }

    // The plot's menu, its items enabled and checked for the present state.
    QMenu* createMenu(QWidget* parent);
    // The latest text of the coordinates tooltip ("x=12.000 m, y=3.500 Kph").
    QString coordinatesText() const { return coordinatesText_; }
    // How many times the curves were drawn.
    int renderCount() const { return renderCount_; }

    // A vertical line at x over the curves, drawn on the picture as it is copied to the screen, so
    // moving it draws no curve again. Nothing: no line.
    void setMarkerX(std::optional<double> x);
    std::optional<double> markerX() const { return markerX_; }

Q_SIGNALS:
    // The x value under the pointer, on every fourth move of the mouse.
    void pointerX(double x);
    // The x value under the pointer, on every move of the mouse.
    void pointerMoved(double x);
    // The range shown changed: the user zoomed, panned, fitted or undid, or the program set it.
    void rangeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ValueMap xMap() const;
    ValueMap yMap() const;
    void render();
    void pictureChanged(bool redraw);
    void showRange(const PlotRange& range);
    void saveUndo() { undoRange_ = range_; }
    void trackCoordinates(const QPoint& at);
    void showCoordinatesTip();
    void popUpMenu(const QPoint& globalPosition);
    QRect bandRect() const { return QRect(bandStart_, bandEnd_).normalized(); }
    std::optional<int> markerPixel() const;
    void updateMarker();

    const PlotModel& model_;
    HorizontalRuler* xRuler_;
    VerticalRuler* yRuler_;

    QImage picture_;
    bool pictureCurrent_ = false;
    int renderCount_ = 0;
    PlotRange range_{0, 10, 0, 10};
    quint32 flags_ = 0;

    int tooltipCountdown_ = 4;
    QString coordinatesText_;
    QTimer tipDelay_;

    bool zoomToolActive_ = false;
    ZoomRectangle zoomRect_;
    std::optional<PlotRange> undoRange_;
    bool banding_ = false;
    QPoint bandStart_, bandEnd_;
    bool panning_ = false;
    QPoint panPrevious_;
    QElapsedTimer lastWheel_;
    std::optional<double> markerX_;
};
