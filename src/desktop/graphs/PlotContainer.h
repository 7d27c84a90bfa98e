#pragma once

#include <QWidget>

#include "graphs/PlotModel.h"

class HorizontalRuler;
class VerticalRuler;
class PlotCanvas;

// The plot with its rulers: the horizontal ruler along the top, the vertical one down the left
// (the two overlap in the top-left corner), the plot window in the rest. Notices of the model go
// on to the plot window.
class PlotContainer : public QWidget {
    Q_OBJECT

public:
    explicit PlotContainer(const PlotModel& model, QWidget* parent = nullptr);

    void notify(const PlotNotice& notice);

    PlotCanvas* canvas() const { return canvas_; }
    HorizontalRuler* horizontalRuler() const { return xRuler_; }
    VerticalRuler* verticalRuler() const { return yRuler_; }

    QSize sizeHint() const override { return {400, 300}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    HorizontalRuler* xRuler_;
    VerticalRuler* yRuler_;
    PlotCanvas* canvas_;
};
