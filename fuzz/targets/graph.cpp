// The graph window's computations over two made-up processed laps: every channel's curve, the time
// difference by samples and by distance over any y range, and the window's curve rules as laps,
// channels and the difference are switched. Laps may be tiny, stand still (so a distance is never
// reached), have samples no record filled, or be the same lap twice (no gap at all).
#include "FuzzTarget.h"
#include "graphs/LapGraphs.h"
#include "replay/LapTelemetry.h"

namespace {

constexpr int kMaxSamples = 3000;

// A lap of up to 3000 samples: per sample a distance step (0.5 mm units), whether a record filled
// it, a lateral offset, speed, gear, revs and slip.
LapTelemetry madeUpLap(FuzzReader& in) {
    LapTelemetry lap = LapTelemetry::blank(in.take<std::uint16_t>() % kMaxSamples);
    const auto size = static_cast<std::size_t>(lap.sampleCount);
    std::uint32_t distance = in.take<std::uint32_t>();
    for (std::size_t k = 0; k < size; ++k) {
        distance += in.take<std::uint16_t>();
        if (in.take<std::uint8_t>() == 0) continue;  // no record filled it
        lap.distance[k] = distance;
        lap.distanceM[k] = distance * 0.0005;
        lap.lateralM[k] = in.take<std::int8_t>() * 0.1;
        lap.speed[k] = in.take<std::uint8_t>() * 1.5;
        lap.gear[k] = static_cast<std::int16_t>(in.take<std::int8_t>() % 8);
        lap.revs[k] = in.take<std::uint16_t>();
        lap.slip[k] = in.take<std::int8_t>();
    }
    return lap;
}

}  // namespace

VXRA_FUZZ_TARGET(graph) {
    FuzzReader in(input);
    const std::uint8_t shape = in.take<std::uint8_t>();
    const LapTelemetry first = madeUpLap(in);
    const LapTelemetry second = shape & 1 ? first : madeUpLap(in);
    const double yLow = in.take<double>(), yHigh = in.take<double>();
    const DifferenceLap a{&first, in.take<std::uint32_t>()}, b{&second, in.take<std::uint32_t>()};

    for (const GraphChannel channel : {GraphChannel::Speed, GraphChannel::Time, GraphChannel::Gear,
                                       GraphChannel::Revs, GraphChannel::SlipAngle})
        static_cast<void>(channelPoints(first, channel, shape & 2));
    static_cast<void>(timeDifferenceBySamples(a, b, yLow, yHigh));
    static_cast<void>(timeDifferenceByDistance(a, b, yLow, yHigh));
    static_cast<void>(lateralAtDistance(second, in.take<double>()));

    PlotModel plot;
    LapGraphs graphs(
        plot, [](const PlotRange&) {}, {{&first, a.lapEntry, 0xFF0000}, {&second, b.lapEntry, 0x0000FF}}, 0);
    while (!in.empty()) {
        const std::uint8_t step = in.take<std::uint8_t>();
        switch (step % 4) {
            case 0:
                graphs.selectChannel(static_cast<GraphChannel>(step / 4 % 6), step & 0x80);
                break;
            case 1:
                graphs.setLapChecked(step / 4 % 3, step & 0x80);
                break;
            case 2:
                graphs.setDifferenceChecked(step & 0x80);
                break;
            default:
                graphs.setDifferenceKind(step & 0x80 ? DifferenceKind::ByDistance
                                                     : DifferenceKind::BySamples);
                break;
        }
    }
}
