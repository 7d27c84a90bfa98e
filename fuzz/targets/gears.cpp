// The gear-change analysis over made-up channels: gears, revs, speeds and positions from the input,
// with samples no record filled (all neutral, all unfilled and alternating runs come out of it).
#include "FuzzTarget.h"
#include "graphs/GearChanges.h"
#include "replay/LapTelemetry.h"

VXRA_FUZZ_TARGET(gears) {
    FuzzReader in(input);
    LapTelemetry lap = LapTelemetry::blank(in.take<std::uint16_t>() % 4000);
    const auto size = static_cast<std::size_t>(lap.sampleCount);
    for (std::size_t k = 0; k < size && !in.empty(); ++k) {
        const std::uint8_t head = in.take<std::uint8_t>();
        lap.gear[k] = static_cast<std::int16_t>(head % 8) - 1;
        if (head & 0x80) continue;  // no record filled it
        lap.revs[k] = in.take<std::uint16_t>();
        lap.speed[k] = in.take<std::int16_t>() * 0.25;
        lap.distance[k] = in.take<std::uint32_t>();
        lap.distanceM[k] = lap.distance[k] * 0.0005 + 0.001;
        lap.lateralM[k] = 1;
    }
    const GearAnalysis analysis = analyseGearChanges(lap);
    static_cast<void>(analysis.summary());
    static_cast<void>(analysis.neutralUpshiftTime());
    if (static_cast<int>(analysis.rows.size()) != analysis.changeCount) __builtin_trap();
}
