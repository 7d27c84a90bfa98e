#include "graphs/LapGraphs.h"

#include <algorithm>

namespace {

std::string curveName(int lap) {
    return "New graph - " + std::to_string(lap + 1);
}

}  // namespace

LapGraphs::LapGraphs(PlotModel& plot, std::function<void(const PlotRange&)> setView,
                     std::vector<GraphLap> laps, std::uint32_t differenceColour)
    : plot_(plot), setView_(std::move(setView)), laps_(std::move(laps)), differenceColour_(differenceColour) {
    if (laps_.size() > kMaxLaps) laps_.resize(kMaxLaps);
}

bool LapGraphs::lapChecked(int lap) const {
    return lap >= 0 && lap < static_cast<int>(laps_.size()) && checked_[static_cast<std::size_t>(lap)];
}

std::optional<int> LapGraphs::curveOf(int lap) const {
    return lapChecked(lap) ? curveOf_[static_cast<std::size_t>(lap)] : std::nullopt;
}

int LapGraphs::checkedCount() const {
    return static_cast<int>(std::count(checked_.begin(), checked_.end(), true));
}

bool LapGraphs::differenceAvailable() const {
    return checkedCount() == 2;
}

bool LapGraphs::selectChannel(GraphChannel channel, bool mph) {
    if (channel == channel_) return false;
    for (int lap = 0; lap < static_cast<int>(laps_.size()); ++lap)
        removeCurve(lap);
    removeDifference();
    channel_ = channel;
    mph_ = mph;
    const ChannelAxis axis = channelAxis(channel, mph);
    maxX_ = 1.0;
    yLow_ = axis.yLow;
    yHigh_ = axis.yHigh;
    plot_.setAxis(axis.title, axis.unit, 0, false, true);
    for (int lap = 0; lap < static_cast<int>(laps_.size()); ++lap)
        if (lapChecked(lap)) addCurve(lap);
    updateDifference();
    return true;
}

// The difference's texts go with its curves and come back with them (updateDifference), so they are
// never stale and never missing while a difference is shown.
void LapGraphs::setLapChecked(int lap, bool checked) {
    if (lap < 0 || lap >= static_cast<int>(laps_.size()) || lapChecked(lap) == checked) return;
    checked_[static_cast<std::size_t>(lap)] = checked;
    updateDifference();
    if (!checked) {
        removeCurve(lap);
    } else if (channel_ != GraphChannel::None) {
        addCurve(lap);
    }
}

void LapGraphs::setDifferenceChecked(bool checked) {
    differenceChecked_ = checked;
    if (checked) {
        updateDifference();
    } else {
        firstLap_.reset();
        removeDifference();
    }
}

void LapGraphs::setDifferenceKind(DifferenceKind kind) {
    if (kind == differenceKind_) return;
    differenceKind_ = kind;
    removeDifference();
    updateDifference();
}

void LapGraphs::addCurve(int lap) {
    const GraphLap& graphLap = laps_[static_cast<std::size_t>(lap)];
    const std::optional<int> slot = plot_.addGraph(graphLap.colour, curveName(lap));
    if (!slot) return;
    const std::vector<PlotPoint> points = channelPoints(*graphLap.telemetry, channel_, mph_);
    for (const PlotPoint& point : points)
        plot_.addPoint(*slot, point.x, point.y);
    if (!points.empty()) maxX_ = std::max(maxX_, points.back().x);
    if (const std::optional<double> top = channelTop(channel_, points)) yHigh_ = std::max(yHigh_, *top);
    setView_(view());
    plot_.graphChanged(*slot, true);
    curveOf_[static_cast<std::size_t>(lap)] = slot;
}

void LapGraphs::removeCurve(int lap) {
    std::optional<int>& slot = curveOf_[static_cast<std::size_t>(lap)];
    if (!slot) return;
    plot_.clearGraph(*slot, true);
    plot_.removeGraph(*slot, true);
    slot.reset();
}

void LapGraphs::updateDifference() {
    firstLap_.reset();
    if (!differenceAvailable()) {
        removeDifference();
        return;
    }
    if (!differenceChecked_ || channel_ == GraphChannel::None) return;
    std::vector<int> checked;
    for (int lap = 0; lap < static_cast<int>(laps_.size()); ++lap)
        if (lapChecked(lap)) checked.push_back(lap);
    firstLap_ = checked[0];
    removeDifference();
    showDifference(checked[0], checked[1]);
}

void LapGraphs::showDifference(int lapA, int lapB) {
    const GraphLap& a = laps_[static_cast<std::size_t>(lapA)];
    const GraphLap& b = laps_[static_cast<std::size_t>(lapB)];
    const DifferenceLap first{a.telemetry, a.lapEntry}, second{b.telemetry, b.lapEntry};
    const TimeDifference difference = differenceKind_ == DifferenceKind::BySamples
                                          ? timeDifferenceBySamples(first, second, yLow_, yHigh_)
                                          : timeDifferenceByDistance(first, second, yLow_, yHigh_);
    texts_ = difference.texts;
    if (difference.curve.empty()) return;
    const auto addCurveOf = [this, lapA](const std::vector<PlotPoint>& points) {
        const std::optional<int> slot = plot_.addGraph(differenceColour_, curveName(lapA));
        if (!slot) return slot;
        for (const PlotPoint& point : points)
            plot_.addPoint(*slot, point.x, point.y);
        plot_.graphChanged(*slot, true);
        return slot;
    };
    differenceCurve_ = addCurveOf(difference.curve);
    zeroLineCurve_ = addCurveOf(difference.zeroLine);
}

void LapGraphs::removeDifference() {
    texts_ = {};
    for (std::optional<int>* slot : {&differenceCurve_, &zeroLineCurve_}) {
        if (!*slot) continue;
        plot_.clearGraph(**slot, true);
        plot_.removeGraph(**slot, true);
        slot->reset();
    }
}
