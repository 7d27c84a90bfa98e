#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

#include "graphs/PlotModel.h"

class QSplitter;
class QTreeWidget;
class PlotContainer;
class PlotCanvas;

// A line plot of up to 32 curves: the one entry point for its client. It owns the curves and the
// axes' descriptions; beside the plot with its rulers it has a list of the curves, hidden unless
// asked for. Slots are 0..31; operations on an empty or unknown slot change nothing.
class PlotView : public QWidget, private PlotListener {
    Q_OBJECT

public:
    explicit PlotView(QWidget* parent = nullptr);

    // The curve's slot, or nothing when all 32 are used.
    std::optional<int> addGraph(const QColor& colour, const QString& name);
    bool removeGraph(int slot, bool redraw);
    // The index the point now has in its curve. Adding points draws nothing: call graphChanged
    // when a curve is complete.
    std::optional<int> addPoint(int slot, double x, double y);
    bool clearGraph(int slot, bool redraw);
    void graphChanged(int slot, bool redraw);

    // The range shown, from the program: what Undo could go back to is forgotten.
    void setView(double x1, double x2, double y1, double y2, bool redraw);
    void setViewFlags(quint32 flags, bool redraw);
    void setAxis(const QString& title, const QString& unit, int precision, bool isX, bool redraw);
    QString formatValue(double value, bool isX, int formatIndex) const;

    void showPointsPane(bool show);
    bool pointsPaneShown() const;

    const PlotModel& model() const { return model_; }
    // The curves and axes for a client that fills them itself; they tell the plot as they change.
    PlotModel& model() { return model_; }
    PlotContainer* container() const { return container_; }
    PlotCanvas* canvas() const;

Q_SIGNALS:
    // The x value under the pointer, as the mouse moves over the plot.
    void pointerX(double x);

private:
    void plotNotice(const PlotNotice& notice) override;
    void fillPointsPane();

    PlotModel model_;
    QSplitter* splitter_;
    PlotContainer* container_;
    QTreeWidget* pointsPane_;
};
