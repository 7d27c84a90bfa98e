#include "graphs/PlotRange.h"

#include <cmath>
#include <tuple>
#include <utility>

namespace {

std::pair<double, double> spread(double low, double high) {
    if (low != high) return {low, high};
    if (low == 0) return {-1, 1};
    const double margin = std::fabs(low) * 0.1;
    return {low - margin, high + margin};
}

}  // namespace

PlotRange fitted(const PlotRange& current, const DataBounds& data, FitKind kind) {
    PlotRange range = current;
    if (kind != FitKind::Height) std::tie(range.x1, range.x2) = spread(data.minX, data.maxX);
    if (kind != FitKind::Width) std::tie(range.y1, range.y2) = spread(data.minY, data.maxY);
    return range;
}

PlotRange zoomedTo(const ValueMap& xMap, const ValueMap& yMap, int left, int right, int bottom, int top) {
    return {xMap.toValue(left), xMap.toValue(right), yMap.toValue(bottom), yMap.toValue(top)};
}

PlotRange zoomedAbout(const PlotRange& current, const ValueMap& xMap, const ValueMap& yMap, int px, int py,
                      double factor) {
    const double x = xMap.toValue(px), y = yMap.toValue(py);
    return {x - (x - current.x1) / factor, x + (current.x2 - x) / factor, y - (y - current.y1) / factor,
            y + (current.y2 - y) / factor};
}

PlotRange panned(const PlotRange& current, const ValueMap& xMap, const ValueMap& yMap, int fromX, int fromY,
                 int toX, int toY) {
    const double dx = xMap.toValue(fromX) - xMap.toValue(toX);
    const double dy = yMap.toValue(fromY) - yMap.toValue(toY);
    return {current.x1 + dx, current.x2 + dx, current.y1 + dy, current.y2 + dy};
}

bool isShowable(const PlotRange& range) {
    const auto axisShowable = [](double low, double high) {
        const double span = std::fabs(high - low);
        return std::isfinite(low) && std::isfinite(high) && std::isfinite(span) &&
               span > 1e-9 * std::fmax(std::fabs(low), std::fabs(high));
    };
    return axisShowable(range.x1, range.x2) && axisShowable(range.y1, range.y2);
}

ValueMap xMapOf(const PlotRange& range, int width) {
    return ValueMap{0, width, range.x1, range.x2};
}

ValueMap yMapOf(const PlotRange& range, int height) {
    return ValueMap{height, 0, range.y1, range.y2};
}
