#include "desktop/compare/ComparisonPlotsView.h"

#include <QSplitter>
#include <QVBoxLayout>

#include "desktop/compare/ComparisonPlots.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotContainer.h"
#include "desktop/graphs/PlotView.h"

namespace {

void clear(PlotView& plot) {
    for (int slot = 0; slot < PlotModel::kSlots; ++slot)
        plot.removeGraph(slot, false);
}

void fit(PlotView& plot) {
    const PlotRange range = comparisonplots::fittedRange(plot.model());
    plot.setView(range.x1, range.x2, range.y1, range.y2, true);
}

// `follower` takes `leader`'s distances and keeps its own y range. What it could undo was its own
// range before `leader` moved it, so it is dropped: Undo belongs to the plot zoomed.
void followDistance(PlotCanvas* leader, PlotCanvas* follower) {
    QObject::connect(leader, &PlotCanvas::rangeChanged, follower, [leader, follower] {
        PlotRange range = follower->range();
        range.x1 = leader->range().x1;
        range.x2 = leader->range().x2;
        if (range == follower->range()) return;  // the echo of the follower's own change
        follower->discardUndo();
        follower->setRange(range, true);
    });
}

}  // namespace

ComparisonPlotsView::ComparisonPlotsView(QWidget* parent)
    : QWidget(parent), delta_(new PlotView), speed_(new PlotView) {
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(delta_);
    splitter->addWidget(speed_);
    splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    for (PlotView* plot : {delta_, speed_}) {
        plot->showPointsPane(false);
        plot->setViewFlags(PlotCanvas::AxisGrid, false);
        connect(plot->canvas(), &PlotCanvas::pointerMoved, this, &ComparisonPlotsView::pointerAt);
    }
    followDistance(delta_->canvas(), speed_->canvas());
    followDistance(speed_->canvas(), delta_->canvas());
}

void ComparisonPlotsView::setComparison(const LapComparison* comparison,
                                        const std::vector<std::uint32_t>& colours, bool mph) {
    mph_ = mph;
    clear(*delta_);
    clear(*speed_);
    if (comparison) {
        comparisonplots::fillDelta(delta_->model(), *comparison, colours);
        comparisonplots::fillSpeed(speed_->model(), *comparison, colours, mph);
    }
    fit(*delta_);
    fit(*speed_);
}

void ComparisonPlotsView::setSpeedUnit(const LapComparison* comparison,
                                       const std::vector<std::uint32_t>& colours, bool mph) {
    if (mph == mph_) return;
    mph_ = mph;
    PlotRange range = speed_->canvas()->range();
    const double scale = comparisonplots::shownSpeed(1, mph) / comparisonplots::shownSpeed(1, !mph);
    range.y1 *= scale;
    range.y2 *= scale;
    clear(*speed_);
    if (comparison) comparisonplots::fillSpeed(speed_->model(), *comparison, colours, mph);
    speed_->setView(range.x1, range.x2, range.y1, range.y2, true);
}

void ComparisonPlotsView::setCursor(std::optional<double> distance) {
    delta_->canvas()->setMarkerX(distance);
    speed_->canvas()->setMarkerX(distance);
}

QImage ComparisonPlotsView::picture() const {
    const QSize deltaSize = delta_->container()->size(), speedSize = speed_->container()->size();
    const QSize size(std::max(deltaSize.width(), speedSize.width()), deltaSize.height() + speedSize.height());
    return comparisonplots::picture(delta_->model(), delta_->canvas()->range(), speed_->model(),
                                    speed_->canvas()->range(), size);
}
