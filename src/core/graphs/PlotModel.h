#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "graphs/AxisInfo.h"
#include "graphs/PlotRange.h"
#include "graphs/PointList.h"

// What a plot holds: up to 32 curves of points in their colours, and the two axes' descriptions.
// Every change is told to one listener (the plot window) as a notice.

struct PlotCurve {
    PointList points;
    std::uint32_t colour;  // 0xRRGGBB
    std::string name;
};

enum class PlotNoticeCode {
    PointAdded = 1,
    CurveAdded = 5,
    CurveRemoved = 6,
    CurveCleared = 7,
    CurveChanged = 9,
    ViewSet = 10,
    AxisChanged = 11,
};

// How the plot window reacts to a notice.
enum class PlotReaction {
    None,         // points and curves added or removed wait for the client's CurveChanged
    Redraw,       // draw the curves again (shown at once when the notice says redraw)
    SetView,      // take the notice's flags, then its range
    UpdateRuler,  // the ruler of the notice's axis takes the new caption and tooltip
};
PlotReaction reactionTo(PlotNoticeCode code);

struct PlotNotice {
    PlotNoticeCode code;
    std::optional<int> slot{};        // none for the axis and view notices
    std::optional<int> pointIndex{};  // PointAdded
    bool redraw = false;
    bool isX = false;   // AxisChanged
    PlotRange range{};  // ViewSet
    std::uint32_t flags = 0;
};

class PlotListener {
public:
    virtual void plotNotice(const PlotNotice& notice) = 0;

protected:
    ~PlotListener() = default;
};

class PlotModel {
public:
    static constexpr int kSlots = 32;

    void setListener(PlotListener* listener) { listener_ = listener; }

    // The first free slot, or nothing when all are used.
    std::optional<int> addGraph(std::uint32_t colour, std::string name);
    // False for a slot outside 0..31 or empty.
    bool removeGraph(int slot, bool redraw);
    bool clearGraph(int slot, bool redraw);
    // The point's index in its curve; nothing for a slot outside 0..31 or empty, or a point that is
    // not finite.
    std::optional<int> addPoint(int slot, double x, double y);
    // Asks the plot window to draw the curves again.
    void graphChanged(int slot, bool redraw);

    void setAxis(std::string title, std::string unit, int precision, bool isX, bool redraw);
    const AxisInfo& axis(bool isX) const { return isX ? xAxis_ : yAxis_; }
    std::string formatValue(double value, bool isX, int formatIndex) const;

    // The curve in a slot, or null (also for no slot).
    const PlotCurve* curve(std::optional<int> slot) const;
    int curveCount() const { return count_; }
    // The bounds of the curves that have points; nothing when none has.
    std::optional<DataBounds> dataBounds() const;

private:
    PlotCurve* usedSlot(int slot) const;
    void notify(const PlotNotice& notice);

    std::array<std::unique_ptr<PlotCurve>, kSlots> curves_;
    int count_ = 0;
    AxisInfo yAxis_;
    AxisInfo xAxis_;
    PlotListener* listener_ = nullptr;
};
