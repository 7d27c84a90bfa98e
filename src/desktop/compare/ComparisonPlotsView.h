#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "compare/LapComparison.h"

class PlotView;

// The delta plot stacked over the speed plot. Each zooms, pans, fits and undoes as the graph
// window's plot does; the distance axis is shared, so a change of one's x range moves the other's.
// The cursor is a vertical line over both.
class ComparisonPlotsView : public QWidget {
    Q_OBJECT

public:
    explicit ComparisonPlotsView(QWidget* parent = nullptr);

    // The comparison's curves in `colours` (one per lap, in its order), fitted; none for nothing.
    void setComparison(const LapComparison* comparison, const std::vector<std::uint32_t>& colours, bool mph);
    // The speed plot in `mph` or km/h, its zoom kept: the range converted with the curves.
    void setSpeedUnit(const LapComparison* comparison, const std::vector<std::uint32_t>& colours, bool mph);
    void setCursor(std::optional<double> distance);

    // The plots as shown, in one picture the size of both.
    QImage picture() const;

    PlotView* deltaPlot() const { return delta_; }
    PlotView* speedPlot() const { return speed_; }

Q_SIGNALS:
    // The distance under the pointer over either plot.
    void pointerAt(double distance);

private:
    PlotView* delta_;
    PlotView* speed_;
    bool mph_ = false;
};
