#include "graphs/PlotModel.h"

#include <algorithm>

PlotReaction reactionTo(PlotNoticeCode code) {
    switch (code) {
        case PlotNoticeCode::CurveCleared:
        case PlotNoticeCode::CurveChanged:
            return PlotReaction::Redraw;
        case PlotNoticeCode::ViewSet:
            return PlotReaction::SetView;
        case PlotNoticeCode::AxisChanged:
            return PlotReaction::UpdateRuler;
        case PlotNoticeCode::PointAdded:
        case PlotNoticeCode::CurveAdded:
        case PlotNoticeCode::CurveRemoved:
            break;
    }
    return PlotReaction::None;
}

void PlotModel::notify(const PlotNotice& notice) {
    if (listener_) listener_->plotNotice(notice);
}

PlotCurve* PlotModel::usedSlot(int slot) const {
    if (slot < 0 || slot >= kSlots) return nullptr;
    return curves_[static_cast<std::size_t>(slot)].get();
}

const PlotCurve* PlotModel::curve(int slot) const {
    return usedSlot(slot);
}

int PlotModel::addGraph(std::uint32_t colour, std::string name) {
    const auto free = std::find(curves_.begin(), curves_.end(), nullptr);
    if (free == curves_.end()) return -1;
    *free = std::make_unique<PlotCurve>(PlotCurve{{}, colour & 0xFFFFFFu, std::move(name)});
    ++count_;
    const int slot = static_cast<int>(free - curves_.begin());
    notify({PlotNoticeCode::CurveAdded, slot, -1, true});
    return slot;
}

int PlotModel::removeGraph(int slot, bool redraw) {
    if (!usedSlot(slot)) return -1;
    curves_[static_cast<std::size_t>(slot)].reset();
    --count_;
    notify({PlotNoticeCode::CurveRemoved, slot, -1, redraw});
    return slot;
}

int PlotModel::addPoint(int slot, double x, double y) {
    PlotCurve* curve = usedSlot(slot);
    if (!curve) return -1;
    const int index = curve->points.insert(x, y);
    if (index >= 0) notify({PlotNoticeCode::PointAdded, slot, index});
    return index;
}

int PlotModel::clearGraph(int slot, bool redraw) {
    PlotCurve* curve = usedSlot(slot);
    if (!curve) return -1;
    curve->points.clear();
    notify({PlotNoticeCode::CurveCleared, slot, -1, redraw});
    return slot;
}

int PlotModel::graphChanged(int slot, bool redraw) {
    if (usedSlot(slot)) notify({PlotNoticeCode::CurveChanged, slot, -1, redraw});
    return -1;
}

void PlotModel::setAxis(std::string title, std::string unit, int precision, bool isX, bool redraw) {
    (isX ? xAxis_ : yAxis_).set(std::move(title), std::move(unit), precision);
    PlotNotice notice{PlotNoticeCode::AxisChanged};
    notice.isX = isX;
    notice.redraw = redraw;
    notify(notice);
}

std::string PlotModel::formatValue(double value, bool isX, int formatIndex) const {
    return axis(isX).format(value, formatIndex);
}

std::optional<DataBounds> PlotModel::dataBounds() const {
    std::optional<DataBounds> bounds;
    for (const auto& curve : curves_) {
        if (!curve || curve->points.empty()) continue;
        const PointList& p = curve->points;
        if (!bounds) {
            bounds = DataBounds{p.minX(), p.maxX(), p.minY(), p.maxY()};
            continue;
        }
        bounds->minX = std::min(bounds->minX, p.minX());
        bounds->maxX = std::max(bounds->maxX, p.maxX());
        bounds->minY = std::min(bounds->minY, p.minY());
        bounds->maxY = std::max(bounds->maxY, p.maxY());
    }
    return bounds;
}
