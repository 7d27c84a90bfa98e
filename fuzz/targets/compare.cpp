// The lap comparison over up to six made-up processed laps (six, one too many, is refused):
// samples no record filled, standing still, distances that jump either way, a finish line anywhere
// or nowhere, split times of any value (sectors of one sample or negative ones), the same lap
// several times and any step between points.
#include <cmath>
#include <sstream>

#include "FuzzTarget.h"
#include "compare/ComparisonCsv.h"
#include "compare/LapComparison.h"
#include "replay/LapTelemetry.h"

namespace {

constexpr int kMaxSamples = 3000;
constexpr std::size_t kMaxCsvRows = 10000;

// A lap of up to 3000 samples: per sample a flag byte (bit 0: a record filled it, bit 1: the
// distance jumps to a value of its own), the distance step (0.5 mm units) or the new distance, and
// the speed; then the finish line sample, the split times and the lap table word.
ComparisonInput madeUpLap(FuzzReader& in, LapTelemetry& lap) {
    lap = LapTelemetry::blank(in.take<std::uint16_t>() % kMaxSamples);
    const auto size = static_cast<std::size_t>(lap.sampleCount);
    std::uint32_t distance = 0;
    for (std::size_t k = 0; k < size && !in.empty(); ++k) {
        const auto flags = in.take<std::uint8_t>();
        distance = flags & 2 ? in.take<std::uint32_t>() : distance + in.take<std::uint16_t>();
        if (!(flags & 1)) continue;  // no record filled it
        lap.distance[k] = distance;
        lap.distanceM[k] = distance * 0.0005;
        lap.lateralM[k] = 1;
        lap.speed[k] = in.take<std::uint8_t>() * 1.5;
    }
    if (const auto finish = in.take<std::uint16_t>(); finish != 0xFFFF) lap.finishLineSample = finish;
    lap.splitTime1 = in.take<std::int32_t>();
    lap.splitTime2 = in.take<std::int32_t>();
    lap.splitTime3 = in.take<std::int32_t>();
    return {&lap, in.take<std::uint32_t>()};
}

}  // namespace

VXRA_FUZZ_TARGET(compare) {
    FuzzReader in(input);
    const std::uint8_t shape = in.take<std::uint8_t>();
    const double step = in.take<std::uint8_t>() * 0.25;  // 0 is refused
    const std::size_t lapCount = 1 + shape % 6;          // six is one too many
    std::vector<LapTelemetry> laps(lapCount);
    std::vector<ComparisonInput> inputs;
    for (std::size_t lap = 0; lap < lapCount; ++lap) {
        if (lap > 0 && (shape & 0x80)) {
            inputs.push_back(inputs.front());  // the reference again
            continue;
        }
        inputs.push_back(madeUpLap(in, laps[lap]));
    }
    const auto compared = compareLaps(inputs.front(), {inputs.begin() + 1, inputs.end()}, step);
    if (!compared) {
        if (refusalText(compared.error()).empty()) __builtin_trap();
        return;
    }
    const LapComparison& comparison = compared.value();
    if (comparison.laps.size() != lapCount || !(comparison.step >= step)) __builtin_trap();
    const std::vector<DeltaPoint>& reference = comparison.laps.front().points;
    for (const ComparedLap& lap : comparison.laps) {
        if (lap.points.size() > reference.size()) __builtin_trap();
        for (std::size_t k = 0; k < lap.points.size(); ++k) {
            const DeltaPoint& point = lap.points[k];
            if (point.distance != reference[k].distance || !std::isfinite(point.time) ||
                !std::isfinite(point.delta) || !std::isfinite(point.speed))
                __builtin_trap();
        }
        if (!lap.points.empty())
            static_cast<void>(lap.at(lap.points.back().distance * in.take<std::uint8_t>() / 255));
    }
    for (const SectorComparison& sector : comparison.sectors) {
        if (sector.times.size() != lapCount || sector.deltas.size() != lapCount) __builtin_trap();
    }
    if (reference.size() <= kMaxCsvRows) {
        std::ostringstream csv;
        writeComparisonCsv(csv, comparison, std::vector<std::string>(lapCount, "Lap \xB7 \"1\""));
    }
}
