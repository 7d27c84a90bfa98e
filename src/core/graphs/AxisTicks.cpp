#include "graphs/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// No ruler is long enough to show more labels than this.
constexpr int kMaxTicks = 1000;
// Beyond this many steps from zero a step no longer changes a double, so no ticks can be placed.
constexpr double kLargestMultiple = 1e15;

// The step series' small ends are single-precision constants used in double arithmetic.
constexpr double kSmallStep = static_cast<double>(0.1f);
constexpr double kNarrowSpan = static_cast<double>(0.2f);

int exponentOf(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude == 0) return 0;
    const double logarithm = std::log10(magnitude);
    if (magnitude >= 1) return static_cast<int>(logarithm);
    return -(static_cast<int>(std::fabs(logarithm)) + 1);
}

double unscaled(double value, int exponent) {
    return exponent >= 0 ? value * std::pow(10.0, exponent) : value / std::pow(10.0, -exponent);
}

// 0.1 when the span needs no more; otherwise the first of 0.2, 0.5, 1, 2, 5, 10, ... not below
// span / labels.
double stepFor(double span, int wantedLabels) {
    if (wantedLabels <= 0 || span / wantedLabels <= kSmallStep) return kSmallStep;
    const double wanted = span / wantedLabels;
    if (kNarrowSpan >= wanted) return kNarrowSpan;
    for (double decade = 1;; decade *= 10) {
        for (const double multiple : {0.5, 1.0, 2.0})
            if (multiple * decade >= wanted) return multiple * decade;
    }
}

}  // namespace

double scaledToExponent(double value, int exponent) {
    return exponent >= 0 ? value / std::pow(10.0, exponent) : value * std::pow(10.0, -exponent);
}

AxisTicks computeTicks(const ValueMap& map, int wantedLabels) {
    AxisTicks ticks;
    if (!std::isfinite(map.startValue) || !std::isfinite(map.endValue)) return ticks;
    int exponent =
        exponentOf(std::fabs(map.startValue) >= std::fabs(map.endValue) ? map.startValue : map.endValue);
    ticks.exponent = exponent;
    if (map.startValue == map.endValue) {
        const int count = std::clamp(wantedLabels, 0, kMaxTicks);
        ticks.values.assign(static_cast<std::size_t>(count), map.startValue);
        ticks.pixels.assign(static_cast<std::size_t>(count), map.toPixel(map.startValue));
        return ticks;
    }

    double start = scaledToExponent(map.startValue, exponent), end = scaledToExponent(map.endValue, exponent);
    if (!std::isfinite(start) || !std::isfinite(end)) return AxisTicks{};
    while (std::fabs(start - end) < kNarrowSpan && start < 100 && end < 100) {
        --exponent;
        start = scaledToExponent(map.startValue, exponent);
        end = scaledToExponent(map.endValue, exponent);
        if (!std::isfinite(start) || !std::isfinite(end)) return AxisTicks{};
    }
    const double span = std::fabs(start - end);
    if (!std::isfinite(span)) return AxisTicks{};
    const double step = stepFor(span, wantedLabels);
    ticks.exponent = exponent;
    ticks.step = step;
    if (span < step || std::fabs(start / step) > kLargestMultiple) return ticks;

    const double low = std::min(start, end), high = std::max(start, end);
    const long long startMultiple = static_cast<long long>(start / step);
    double first = 0;
    bool found = false;
    for (long long candidate = startMultiple - 2; candidate <= startMultiple + 2; ++candidate) {
        const double value = static_cast<double>(candidate) * step;
        if (value < low || value > high) continue;
        if (!found || std::fabs(value - start) < std::fabs(first - start)) first = value;
        found = true;
    }
    if (!found) return ticks;

    const double direction = map.endValue > map.startValue ? step : -step;
    for (double tick = first;
         tick >= low && tick <= high && static_cast<int>(ticks.values.size()) < kMaxTicks;
         tick += direction) {
        const double value = unscaled(tick, exponent);
        ticks.values.push_back(value);
        ticks.pixels.push_back(map.toPixel(value));
    }
    return ticks;
}
