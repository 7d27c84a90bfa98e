#include "compare/GainColours.h"

#include <algorithm>
#include <cmath>

#include "replay/LapTelemetry.h"

namespace {

// Darker than the track's surfaces, so a line that neither gains nor loses still stands out on them.
constexpr Rgb kNeutral{80, 80, 80};
constexpr Rgb kGaining{0, 170, 0};
constexpr Rgb kLosing{220, 0, 0};

std::uint8_t mixed(std::uint8_t from, std::uint8_t to, double share) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * share));
}

std::string wholeMilliseconds(double seconds) {
    return std::to_string(std::lround(seconds * 1000));
}

}  // namespace

std::optional<double> deltaRate(const ComparedLap& lap, double distance) {
    if (lap.points.empty() || !(distance >= lap.points.front().distance) ||
        !(distance <= lap.points.back().distance))
        return std::nullopt;
    const double from = std::max(distance - kGainWindowM / 2, lap.points.front().distance);
    const double to = std::min(distance + kGainWindowM / 2, lap.points.back().distance);
    if (!(to > from)) return std::nullopt;
    const std::optional<DeltaPoint> start = lap.at(from);
    const std::optional<DeltaPoint> end = lap.at(to);
    if (!start || !end) return std::nullopt;
    const double rate = (end->delta - start->delta) * kGainWindowM / (to - from);
    if (!std::isfinite(rate)) return std::nullopt;
    return rate;
}

Rgb gainColour(double rate) {
    const double beyondNeutral = std::fabs(rate) - kNeutralGainRate;
    if (std::isnan(beyondNeutral) || beyondNeutral <= 0) return kNeutral;
    const double share = std::min(beyondNeutral / (kSaturatedGainRate - kNeutralGainRate), 1.0);
    const Rgb& full = rate < 0 ? kGaining : kLosing;
    return {mixed(kNeutral.r, full.r, share), mixed(kNeutral.g, full.g, share),
            mixed(kNeutral.b, full.b, share)};
}

std::vector<Rgb> sampleGainColours(const ComparedLap& lap, const LapTelemetry& telemetry, Rgb own) {
    const auto count =
        std::min(static_cast<std::size_t>(std::max(telemetry.sampleCount, 0)), telemetry.distanceM.size());
    std::vector<Rgb> colours(count, own);
    // Sample 0 lies before the start line, the last one past the finish line.
    for (std::size_t sample = 1; sample + 1 < count; ++sample) {
        const int number = static_cast<int>(sample);
        if (!telemetry.recorded(number) ||
            (telemetry.finishLineSample && number >= *telemetry.finishLineSample))
            continue;
        if (const std::optional<double> rate = deltaRate(lap, telemetry.distanceM[sample]))
            colours[sample] = gainColour(*rate);
    }
    return colours;
}

std::string gainLegendText() {
    return "Green gains, red loses more than " + wholeMilliseconds(kNeutralGainRate) + " ms per " +
           std::to_string(std::lround(kGainWindowM)) + " m (full colour from " +
           wholeMilliseconds(kSaturatedGainRate) + " ms)";
}
