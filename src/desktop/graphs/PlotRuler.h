#pragma once

#include <QWidget>

#include "graphs/RulerLayout.h"

// A ruler beside the plot: tick marks, numeric labels and the axis unit for the shown range of one
// axis (drawn as desktop/graphs/RulerPainter draws it). The horizontal ruler lies above the plot,
// the vertical one on its left.
class PlotRuler : public QWidget {
    Q_OBJECT

public:
    static constexpr int kThickness = 15;

    // Repaints at once.
    void setRange(double low, double high);
    double low() const { return low_; }
    double high() const { return high_; }

    // The unit becomes the caption, the axis label the tooltip.
    void setAxisTexts(const QString& unit, const QString& label);
    QString unit() const { return unit_; }

    // How many labels the ruler wants along its free length (the plot's grid uses the same).
    int labelCount() const;
    RulerLayout layout() const;

protected:
    PlotRuler(Qt::Orientation orientation, QWidget* parent);
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
    double low_ = 1.0;
    double high_ = 100.0;
    QString unit_;
};

class HorizontalRuler : public PlotRuler {
    Q_OBJECT
public:
    explicit HorizontalRuler(QWidget* parent = nullptr) : PlotRuler(Qt::Horizontal, parent) {}
};

class VerticalRuler : public PlotRuler {
    Q_OBJECT
public:
    explicit VerticalRuler(QWidget* parent = nullptr) : PlotRuler(Qt::Vertical, parent) {}
};
