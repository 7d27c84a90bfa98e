// Playback's tick over made-up laps (sample counts, speeds, gears, orientations, split times, samples
// no record filled, a finish line) for a few hundred ticks, with the commands pressed in between.
#include "map/Playback.h"
#include "FuzzTarget.h"
#include "replay/LapTelemetry.h"

namespace {

LapTelemetry madeUpLap(FuzzReader& in) {
    LapTelemetry lap = LapTelemetry::blank(in.take<std::uint16_t>() % 1200);
    const auto size = static_cast<std::size_t>(lap.sampleCount);
    lap.speed.assign(size, in.take<double>());
    lap.gear.assign(size, in.take<std::int16_t>());
    lap.revs.assign(size, in.take<std::uint32_t>());
    lap.orientation.assign(size, in.take<std::int16_t>());
    lap.splitTime1 = in.take<std::int32_t>();
    lap.splitTime2 = in.take<std::int32_t>();
    lap.splitTime3 = in.take<std::int32_t>();
    const std::uint8_t every = in.take<std::uint8_t>();
    // The distance falls back at a made-up finish line.
    const std::uint16_t finish = in.take<std::uint16_t>();
    for (std::size_t k = 0; k < size; ++k)
        lap.distanceM[k] = every && k % every == 0 ? 0 : static_cast<double>(k < finish ? k : k - finish);
    lap.finishLineSample = finish;
    return lap;
}

}  // namespace

VXRA_FUZZ_TARGET(playback) {
    FuzzReader in(input);
    std::array<LapTelemetry, Playback::kLaps> made;
    std::array<const LapTelemetry*, Playback::kLaps> laps{};
    std::array<bool, Playback::kLaps> ticked{};
    const std::uint8_t present = in.take<std::uint8_t>();
    for (std::size_t slot = 0; slot < made.size(); ++slot) {
        if (!(present >> slot & 1)) continue;
        made[slot] = madeUpLap(in);
        laps[slot] = &made[slot];
        ticked[slot] = present >> (slot + 3) & 1;
    }
    const double trackLength = in.take<double>();
    Playback playback;
    playback.start(true, true);
    for (int tick = 0; tick < 400; ++tick) {
        switch (in.take<std::uint8_t>() % 16) {
            case 0:
                playback.pause();
                break;
            case 1:
                playback.start(present & 0x80, true);
                break;
            case 2:
                playback.startFastForward();
                break;
            case 3:
                playback.moveToBeginning();
                break;
            case 4:
                playback.moveToEnd();
                break;
            case 5:
                playback.stop();
                break;
            default:
                break;
        }
        if (!playback.playing()) continue;
        const PlaybackTick values = playback.tick(laps, ticked, tick & 1, trackLength);
        if (values.ended && playback.running()) __builtin_trap();
        if (values.leader && !values.laps[static_cast<std::size_t>(*values.leader)].active) __builtin_trap();
    }
}
