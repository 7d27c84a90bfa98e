// The lap comparison of five 5-km laps (a reference and four others) every metre, against a plain
// pass over the same laps' samples in the same run. Goal: the comparison under 1 ms; its ratio to
// the plain pass is what to watch.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "compare/LapComparison.h"
#include "replay/LapTelemetry.h"

namespace {

constexpr double kTrackLength = 5000;
constexpr int kLaps = 5;

// A lap of about 80 s: speeds between 100 and 300 km/h along the track, each lap a little slower
// than the one before; sample 0 before the line, the last sample past it.
LapTelemetry fiveKilometreLap(int lap) {
    std::vector<double> distances{kTrackLength - 1};
    double distance = 0.5;
    while (distance < kTrackLength) {
        distances.push_back(distance);
        const double kmh = 200 + 100 * std::sin(distance / 300) - lap;
        distance += kmh / 3.6 / 36;
    }
    distances.push_back(distance - kTrackLength);
    LapTelemetry telemetry = LapTelemetry::blank(static_cast<int>(distances.size()));
    for (std::size_t k = 0; k < distances.size(); ++k) {
        telemetry.distanceM[k] = distances[k];
        telemetry.lateralM[k] = 1;
        telemetry.speed[k] = 200 + 100 * std::sin(distances[k] / 300) - lap;
    }
    telemetry.finishLineSample = telemetry.sampleCount - 1;
    telemetry.splitTime1 = 20000, telemetry.splitTime2 = 40000, telemetry.splitTime3 = 60000;
    return telemetry;
}

const std::vector<LapTelemetry>& laps() {
    static const std::vector<LapTelemetry> made = [] {
        std::vector<LapTelemetry> list;
        for (int lap = 0; lap < kLaps; ++lap)
            list.push_back(fiveKilometreLap(lap));
        return list;
    }();
    return made;
}

// Every recorded sample of the five laps read once.
void BM_PlainPassOverTheSamples(benchmark::State& state) {
    std::size_t samples = 0;
    for (auto _ : state) {
        double sum = 0;
        samples = 0;
        for (const LapTelemetry& lap : laps()) {
            for (int k = 0; k < lap.sampleCount; ++k) {
                if (!lap.recorded(k)) continue;
                sum += lap.distanceM[static_cast<std::size_t>(k)] + lap.speed[static_cast<std::size_t>(k)];
                ++samples;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["samples"] = static_cast<double>(samples);
}

void BM_CompareFiveLapsEveryMetre(benchmark::State& state) {
    std::vector<ComparisonInput> others;
    for (std::size_t lap = 1; lap < laps().size(); ++lap)
        others.push_back({&laps()[lap], 80000 + static_cast<std::uint32_t>(lap) * 400});
    std::size_t points = 0;
    for (auto _ : state) {
        const auto comparison = compareLaps({&laps()[0], 80000}, others, 1);
        if (!comparison) {
            state.SkipWithError("the laps were refused");
            break;
        }
        points = 0;
        for (const ComparedLap& lap : comparison.value().laps)
            points += lap.points.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = static_cast<double>(points);
}

}  // namespace

BENCHMARK(BM_PlainPassOverTheSamples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CompareFiveLapsEveryMetre)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
