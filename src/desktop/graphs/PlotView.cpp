#include "desktop/graphs/PlotView.h"

#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "desktop/common/QtText.h"
#include "desktop/graphs/PlotCanvas.h"
#include "desktop/graphs/PlotContainer.h"

namespace {

constexpr int kPointsPaneWidth = 200;

}  // namespace

PlotView::PlotView(QWidget* parent)
    : QWidget(parent),
      splitter_(new QSplitter(Qt::Horizontal, this)),
      container_(new PlotContainer(model_, splitter_)),
      pointsPane_(new QTreeWidget(splitter_)) {
    model_.setListener(this);
    pointsPane_->setHeaderLabels({tr("Graph"), tr("Points"), tr("From x"), tr("To x")});
    pointsPane_->setRootIsDecorated(false);
    splitter_->addWidget(container_);
    splitter_->addWidget(pointsPane_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setSizes({kPointsPaneWidth, kPointsPaneWidth});
    pointsPane_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    connect(canvas(), &PlotCanvas::pointerX, this, &PlotView::pointerX);
}

PlotCanvas* PlotView::canvas() const {
    return container_->canvas();
}

void PlotView::plotNotice(const PlotNotice& notice) {
    container_->notify(notice);
    if (notice.code != PlotNoticeCode::PointAdded && pointsPaneShown()) fillPointsPane();
}

std::optional<int> PlotView::addGraph(const QColor& colour, const QString& name) {
    return model_.addGraph(colour.rgb() & 0xFFFFFFu, name.toStdString());
}

bool PlotView::removeGraph(int slot, bool redraw) {
    return model_.removeGraph(slot, redraw);
}

std::optional<int> PlotView::addPoint(int slot, double x, double y) {
    return model_.addPoint(slot, x, y);
}

bool PlotView::clearGraph(int slot, bool redraw) {
    return model_.clearGraph(slot, redraw);
}

void PlotView::graphChanged(int slot, bool redraw) {
    model_.graphChanged(slot, redraw);
}

void PlotView::setView(double x1, double x2, double y1, double y2, bool redraw) {
    canvas()->discardUndo();
    PlotNotice notice{PlotNoticeCode::ViewSet};
    notice.range = {x1, x2, y1, y2};
    notice.flags = canvas()->flags();
    notice.redraw = redraw;
    container_->notify(notice);
}

void PlotView::setViewFlags(quint32 flags, bool redraw) {
    PlotNotice notice{PlotNoticeCode::ViewSet};
    notice.range = canvas()->range();
    notice.flags = flags;
    notice.redraw = redraw;
    container_->notify(notice);
}

void PlotView::setAxis(const QString& title, const QString& unit, int precision, bool isX, bool redraw) {
    model_.setAxis(title.toStdString(), unit.toStdString(), precision, isX, redraw);
}

QString PlotView::formatValue(double value, bool isX, int formatIndex) const {
    return fromUtf8(model_.formatValue(value, isX, formatIndex));
}

void PlotView::showPointsPane(bool show) {
    if (show) fillPointsPane();
    pointsPane_->setVisible(show);
}

bool PlotView::pointsPaneShown() const {
    return !pointsPane_->isHidden();
}

void PlotView::fillPointsPane() {
    pointsPane_->clear();
    for (int slot = 0; slot < PlotModel::kSlots; ++slot) {
        const PlotCurve* curve = model_.curve(slot);
        if (!curve) continue;
        const PointList& points = curve->points;
        auto* item = new QTreeWidgetItem(pointsPane_);
        item->setText(0, fromUtf8(curve->name));
        item->setForeground(0, QColor::fromRgb(curve->colour));
        item->setText(1, QString::number(points.size()));
        item->setText(2, formatValue(points.minX(), true, AxisInfo::NumberOnly));
        item->setText(3, formatValue(points.maxX(), true, AxisInfo::NumberOnly));
    }
}
