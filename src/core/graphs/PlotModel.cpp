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

const PlotCurve* PlotModel::curve(std::optional<int> slot) const {
    return slot ? usedSlot(*slot) : nullptr;
}

std::optional<int> PlotModel::addGraph(std::uint32_t colour, std::string name) {
    const auto free = std::find(curves_.begin(), curves_.end(), nullptr);
    if (free == curves_.end()) return std::nullopt;
    *free = std::make_unique<PlotCurve>(PlotCurve{{}, colour & 0xFFFFFFu, std::move(name)});
    ++count_;
    const int slot = static_cast<int>(free - curves_.begin());
    notify({PlotNoticeCode::CurveAdded, slot, std::nullopt, true});
    return slot;
}

bool PlotModel::removeGraph(int slot, bool redraw) {
    if (!usedSlot(slot)) return false;
    curves_[static_cast<std::size_t>(slot)].reset();
    --count_;
    notify({PlotNoticeCode::CurveRemoved, slot, std::nullopt, redraw});
    return true;
}

std::optional<int> PlotModel::addPoint(int slot, double x, double y) {
    PlotCurve* curve = usedSlot(slot);
    if (!curve) return std::nullopt;
    const std::optional<int> index = curve->points.insert(x, y);
    if (index) notify({PlotNoticeCode::PointAdded, slot, *index});
    return index;
}

bool PlotModel::clearGraph(int slot, bool redraw) {
    PlotCurve* curve = usedSlot(slot);
    if (!curve) return false;
    curve->points.clear();
    notify({PlotNoticeCode::CurveCleared, slot, std::nullopt, redraw});
    return true;
}

void PlotModel::graphChanged(int slot, bool redraw) {
    if (usedSlot(slot)) notify({PlotNoticeCode::CurveChanged, slot, std::nullopt, redraw});
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
