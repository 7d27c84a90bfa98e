#include "desktop/graphs/PlotContainer.h"

#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotRuler.h"

PlotContainer::PlotContainer(const PlotModel& model, QWidget* parent)
    : QWidget(parent),
      xRuler_(new HorizontalRuler(this)),
      yRuler_(new VerticalRuler(this)),
      canvas_(new PlotCanvas(model, xRuler_, yRuler_, this)) {
    xRuler_->setRange(0, 10);
    yRuler_->setRange(0, 10);
    canvas_->setRange({0, 10, 0, 10}, false);
    setMinimumSize(4 * PlotRuler::kThickness, 4 * PlotRuler::kThickness);
}

void PlotContainer::notify(const PlotNotice& notice) {
    canvas_->react(notice);
}

void PlotContainer::resizeEvent(QResizeEvent*) {
    const int thickness = PlotRuler::kThickness;
    yRuler_->setGeometry(0, 0, thickness, height());
    xRuler_->setGeometry(0, 0, width(), thickness);
    canvas_->setGeometry(thickness, thickness, width() - thickness, height() - thickness);
}
