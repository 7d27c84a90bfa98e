#include "desktop/compare/ComparisonPlots.h"

#include <QPainter>
#include <cmath>
#include <cstdio>

#include "common/SpeedUnits.h"
#include "desktop/graphs/PlotImage.h"

namespace comparisonplots {

namespace {

// The share of the curves' height left free above and below them.
constexpr double kRoom = 0.08;

void setDistanceAxis(PlotModel& plot) {
    plot.setAxis("Distance", "m", 0, true, false);
}

}  // namespace

void fillDelta(PlotModel& plot, const LapComparison& comparison, const std::vector<std::uint32_t>& colours) {
    setDistanceAxis(plot);
    plot.setAxis("Delta", "s", 3, false, false);
    // Along the reference's distances, which every other lap's lie within; its own curve lies on it.
    const std::optional<int> zero = plot.addGraph(kZeroLineColour, "0 s");
    if (!comparison.laps.empty() && !comparison.laps.front().points.empty()) {
        plot.addPoint(*zero, comparison.laps.front().points.front().distance, 0);
        plot.addPoint(*zero, comparison.laps.front().points.back().distance, 0);
    }
    for (std::size_t lap = 0; lap < comparison.laps.size() && lap < colours.size(); ++lap) {
        const std::optional<int> slot = plot.addGraph(colours[lap], "Lap " + std::to_string(lap + 1));
        if (!slot) break;
        for (const DeltaPoint& point : comparison.laps[lap].points)
            plot.addPoint(*slot, point.distance, point.delta);
    }
    plot.graphChanged(0, true);
}

void fillSpeed(PlotModel& plot, const LapComparison& comparison, const std::vector<std::uint32_t>& colours,
               bool mph) {
    setDistanceAxis(plot);
    plot.setAxis("Speed", mph ? "mph" : "km/h", 0, false, false);
    for (std::size_t lap = 0; lap < comparison.laps.size() && lap < colours.size(); ++lap) {
        const std::optional<int> slot = plot.addGraph(colours[lap], "Lap " + std::to_string(lap + 1));
        if (!slot) break;
        for (const DeltaPoint& point : comparison.laps[lap].points)
            plot.addPoint(*slot, point.distance, shownSpeed(point.speed, mph));
    }
    plot.graphChanged(0, true);
}

PlotRange fittedRange(const PlotModel& plot) {
    const std::optional<DataBounds> bounds = plot.dataBounds();
    if (!bounds) return {0, 10, 0, 10};
    PlotRange range = fitted({}, *bounds, FitKind::Page);
    const double room = (range.y2 - range.y1) * kRoom;
    range.y1 -= room;
    range.y2 += room;
    return range;
}

QImage picture(const PlotModel& delta, const PlotRange& deltaRange, const PlotModel& speed,
               const PlotRange& speedRange, QSize size) {
    const int deltaHeight = size.height() / 2;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(0, 0, plotImage(delta, deltaRange, {size.width(), deltaHeight}));
    painter.drawImage(0, deltaHeight,
                      plotImage(speed, speedRange, {size.width(), size.height() - deltaHeight}));
    return image;
}

QImage picture(const LapComparison& comparison, const std::vector<std::uint32_t>& colours, bool mph,
               QSize size) {
    PlotModel delta, speed;
    fillDelta(delta, comparison, colours);
    fillSpeed(speed, comparison, colours, mph);
    return picture(delta, fittedRange(delta), speed, fittedRange(speed), size);
}

double shownSpeed(double kmh, bool mph) {
    return mph ? kmh * kMphPerKmh : kmh;
}

std::string signedSeconds(double seconds) {
    double rounded = std::round(seconds * 1000) / 1000;
    if (rounded == 0) rounded = 0;  // no "-0.000"
    char text[32];
    std::snprintf(text, sizeof text, "%+.3f", rounded);
    return text;
}

std::string readout(const DeltaPoint& point, bool mph) {
    return signedSeconds(point.delta) + " s  " + std::to_string(std::lround(shownSpeed(point.speed, mph))) +
           (mph ? " mph" : " km/h");
}

}  // namespace comparisonplots
