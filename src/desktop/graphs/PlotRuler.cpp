#include "desktop/graphs/PlotRuler.h"

#include <QPainter>

#include "desktop/graphs/RulerPainter.h"

PlotRuler::PlotRuler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
    static_assert(kThickness == ruler::kThickness);
    setToolTipDuration(32767);
}

void PlotRuler::setRange(double low, double high) {
    low_ = low;
    high_ = high;
    update();
}

void PlotRuler::setAxisTexts(const QString& unit, const QString& label) {
    unit_ = unit;
    setToolTip(label);
}

int PlotRuler::labelCount() const {
    return ruler::labelCount(orientation_, size());
}

RulerLayout PlotRuler::layout() const {
    return ruler::layout(orientation_, size(), low_, high_, unit_);
}

void PlotRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ruler::draw(painter, orientation_, size(), low_, high_, unit_);
}
