#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "compare/LapComparison.h"
#include "graphs/PlotModel.h"

// How a lap comparison is plotted, the same in the dock and in pictures of it: the delta to the
// reference in seconds over the speed, both against the distance from the line, each lap in its
// colour; the delta plot has a grey zero line under the curves.
namespace comparisonplots {

inline constexpr std::uint32_t kZeroLineColour = 0xA0A0A0;

// `colours` holds one colour (0xRRGGBB) per lap of the comparison, in its order.
void fillDelta(PlotModel& plot, const LapComparison& comparison, const std::vector<std::uint32_t>& colours);
void fillSpeed(PlotModel& plot, const LapComparison& comparison, const std::vector<std::uint32_t>& colours,
               bool mph);

// The plot's range fitted to its curves, with a little room above and below them.
PlotRange fittedRange(const PlotModel& plot);

// Both plots as one picture of `size` pixels, the delta plot over the speed plot, each with its
// rulers as the plot view draws them.
QImage picture(const PlotModel& delta, const PlotRange& deltaRange, const PlotModel& speed,
               const PlotRange& speedRange, QSize size);

// The comparison's plots, fitted, as one picture: what the dock shows before any zoom.
QImage picture(const LapComparison& comparison, const std::vector<std::uint32_t>& colours, bool mph,
               QSize size);

// A speed in km/h as shown: in mph or km/h.
double shownSpeed(double kmh, bool mph);

// Seconds to the millisecond with their sign, "+0.213", "-1.001"; a lap a hair ahead is "+0.000".
std::string signedSeconds(double seconds);

// A lap at the cursor: "+0.213 s  183 km/h" (or mph).
std::string readout(const DeltaPoint& point, bool mph);

}  // namespace comparisonplots
