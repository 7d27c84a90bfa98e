// The colours of a lap's line by time gained over a made-up comparison (repeated distances, deltas
// that are no number) and a made-up lap (samples no record filled, a finish line, distances beyond
// the compared ones).
#include <cmath>

#include "FuzzTarget.h"
#include "compare/GainColours.h"
#include "replay/LapTelemetry.h"

VXRA_FUZZ_TARGET(gaincolours) {
    FuzzReader in(input);
    ComparedLap compared{};
    double distance = in.take<double>();
    if (!std::isfinite(distance)) distance = 0;
    for (int point = in.take<std::uint16_t>() % 2000; point > 0; --point) {
        distance += in.take<std::uint8_t>() * 0.25;  // 0: a distance twice
        compared.points.push_back({distance, 0, in.take<double>(), 0});
    }
    LapTelemetry lap = LapTelemetry::blank(in.take<std::uint16_t>() % 1200);
    const double offset = in.take<double>();
    const double scale = in.take<double>();
    const std::uint8_t every = in.take<std::uint8_t>();
    for (std::size_t sample = 0; sample < lap.distanceM.size(); ++sample)
        lap.distanceM[sample] =
            every && sample % every == 0 ? 0 : offset + static_cast<double>(sample) * scale;
    if (const std::uint16_t finish = in.take<std::uint16_t>(); finish) lap.finishLineSample = finish;

    const std::vector<Rgb> colours = sampleGainColours(compared, lap, Rgb{1, 2, 3});
    if (colours.size() != static_cast<std::size_t>(lap.sampleCount)) __builtin_trap();
    for (const double at : lap.distanceM) {
        const std::optional<double> rate = deltaRate(compared, at);
        if (rate && !std::isfinite(*rate)) __builtin_trap();
    }
    gainColour(in.take<double>());
}
