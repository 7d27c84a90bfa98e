#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graphs/GraphChannels.h"
#include "graphs/PlotModel.h"
#include "graphs/TimeDifference.h"

class LapTelemetry;

// One lap a lap graph can show.
struct GraphLap {
    const LapTelemetry* telemetry;
    std::uint32_t lapEntry;  // its lap table word (lap time in the low 24 bits)
    std::uint32_t colour;    // 0xRRGGBB
};

enum class DifferenceKind { BySamples, ByDistance };

// The curves of the graph window: a channel of each checked lap against the distance, and, with
// exactly two laps checked and the difference asked for, the time gap between them with its zero
// line and texts. Works on the plot's model; the range goes to the plot through `setView`.
class LapGraphs {
public:
    static constexpr int kMaxLaps = 5;

    LapGraphs(PlotModel& plot, std::function<void(const PlotRange&)> setView, std::vector<GraphLap> laps,
              std::uint32_t differenceColour);

    // Plots the checked laps' curves of the channel; the speed unit is taken now. False, changing
    // nothing, when the channel is already shown.
    bool selectChannel(GraphChannel channel, bool mph);
    void setLapChecked(int lap, bool checked);
    void setDifferenceChecked(bool checked);
    void setDifferenceKind(DifferenceKind kind);

    const std::vector<GraphLap>& laps() const { return laps_; }
    GraphChannel channel() const { return channel_; }
    bool lapChecked(int lap) const;
    // Exactly two laps are checked: the difference can be asked for.
    bool differenceAvailable() const;
    bool differenceChecked() const { return differenceChecked_; }
    bool differenceShown() const { return differenceCurve_.has_value(); }
    // The lap the difference is measured from (A, the first checked).
    std::optional<int> firstLap() const { return firstLap_; }
    const DifferenceTexts& texts() const { return texts_; }

    // Plot slots of the curves shown.
    std::optional<int> curveOf(int lap) const;
    std::optional<int> differenceCurve() const { return differenceCurve_; }
    std::optional<int> zeroLineCurve() const { return zeroLineCurve_; }
    PlotRange view() const { return {0, maxX_, yLow_, yHigh_}; }

private:
    int checkedCount() const;
    void addCurve(int lap);
    void removeCurve(int lap);
    void updateDifference();
    void showDifference(int lapA, int lapB);
    void removeDifference();

    PlotModel& plot_;
    std::function<void(const PlotRange&)> setView_;
    std::vector<GraphLap> laps_;
    std::uint32_t differenceColour_;

    GraphChannel channel_ = GraphChannel::None;
    bool mph_ = false;
    std::array<bool, kMaxLaps> checked_{};
    std::array<std::optional<int>, kMaxLaps> curveOf_{};
    double maxX_ = 1.0;
    double yLow_ = 0;
    double yHigh_ = 1.0;
    bool differenceChecked_ = false;
    DifferenceKind differenceKind_ = DifferenceKind::BySamples;
    std::optional<int> differenceCurve_;
    std::optional<int> zeroLineCurve_;
    std::optional<int> firstLap_;
    DifferenceTexts texts_;
};
