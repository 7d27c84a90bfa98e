// The plot engine's arithmetic: value maps and ticks over arbitrary ends and label counts, a
// ruler's layout, then points inserted into curves and the shown range fitted, zoomed and panned.
// An insertion that leaves a curve out of order, or its box not holding its points, stops the run.
#include <cstdlib>

#include "FuzzTarget.h"
#include "graphs/AxisTicks.h"
#include "graphs/PlotModel.h"
#include "graphs/RulerLayout.h"

namespace {

void check(bool holds) {
    if (!holds) std::abort();
}

void checkCurve(const PointList& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PlotPoint& p = points.points()[i];
        check(i == 0 || points.points()[i - 1].x < p.x);
        check(p.x >= points.minX() && p.x <= points.maxX() && p.y >= points.minY() && p.y <= points.maxY());
    }
}

}  // namespace

VXRA_FUZZ_TARGET(plot) {
    FuzzReader in(input);
    const ValueMap map{in.take<std::int32_t>(), in.take<std::int32_t>(), in.take<double>(),
                       in.take<double>()};
    const int wanted = in.take<std::int32_t>();
    const AxisTicks ticks = computeTicks(map, wanted);
    check(ticks.values.size() == ticks.pixels.size());
    static_cast<void>(map.toValue(in.take<std::int32_t>()));

    const auto sixPerCharacter = [](const std::string& text) { return 6 * static_cast<int>(text.size()); };
    const RulerGeometry ruler{in.take<std::int16_t>(), in.take<std::int8_t>(), in.take<std::int8_t>()};
    static_cast<void>(layOutRuler(ruler, map.startValue, map.endValue, "Kph", sixPerCharacter));

    PlotModel model;
    AxisInfo axis;
    axis.set("Speed %s", "%n", in.take<std::int8_t>());
    static_cast<void>(axis.format(map.startValue, in.take<std::int8_t>()));
    const int width = in.take<std::uint16_t>(), height = in.take<std::uint16_t>();
    PlotRange range{map.startValue, map.endValue, in.take<double>(), in.take<double>()};
    while (!in.empty()) {
        const int slot = in.take<std::uint8_t>() % 40 - 4;
        switch (in.take<std::uint8_t>() % 8) {
            case 0:
                model.addGraph(in.take<std::uint32_t>(), "New graph");
                break;
            case 1:
                model.removeGraph(slot, true);
                break;
            case 2:
                model.clearGraph(slot, false);
                break;
            case 3: {
                const double x = in.take<double>(), y = in.take<double>();
                model.addPoint(slot, x, y);
                break;
            }
            case 4:
                if (const auto bounds = model.dataBounds())
                    range = fitted(range, *bounds, static_cast<FitKind>(in.take<std::uint8_t>() % 3));
                break;
            case 5: {
                const int x = in.take<std::int16_t>(), y = in.take<std::int16_t>();
                const double factor = 1 + in.take<std::uint8_t>() / 16.0;
                const PlotRange zoomed =
                    zoomedAbout(range, xMapOf(range, width), yMapOf(range, height), x, y, factor);
                if (isShowable(zoomed)) range = zoomed;
                break;
            }
            case 6: {
                const int fromX = in.take<std::int16_t>(), fromY = in.take<std::int16_t>();
                const int toX = in.take<std::int16_t>(), toY = in.take<std::int16_t>();
                const PlotRange moved =
                    panned(range, xMapOf(range, width), yMapOf(range, height), fromX, fromY, toX, toY);
                if (isShowable(moved)) range = moved;
                break;
            }
            default: {
                const int xLabels = in.take<std::int16_t>(), yLabels = in.take<std::int16_t>();
                static_cast<void>(computeTicks(xMapOf(range, width), xLabels));
                static_cast<void>(computeTicks(yMapOf(range, height), yLabels));
                break;
            }
        }
    }
    for (int slot = 0; slot < PlotModel::kSlots; ++slot)
        if (const PlotCurve* curve = model.curve(slot)) checkCurve(curve->points);
}
