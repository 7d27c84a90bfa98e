#include "map/Playback.h"

#include <cmath>
#include <cstdlib>

#include "map/LapProgress.h"
#include "replay/LapTelemetry.h"
#include "replay/ReplayFormat.h"

namespace {

constexpr int kSectorCentres[16] = {1024,  768,   512,   256,   0,     -256, -512, -768,
                                    -1024, -1280, -1536, -1792, -2048, 1792, 1536, 1280};
constexpr double kMphPerKph = 0.621;

std::string gearText(int gear) {
    if (gear < 0) return "R";
    if (gear == 0) return "N";
    return std::to_string(gear);
}

// A speed shown as a whole number; one that is not a number, or beyond any car, shows 0.
int wholeSpeed(double speed) {
    return std::isfinite(speed) && std::fabs(speed) < 1e6 ? static_cast<int>(speed) : 0;
}

// The lap has processed channels at this sample.
bool hasSample(const LapTelemetry& lap, std::size_t sample) {
    return static_cast<std::size_t>(lap.sampleCount) > sample && lap.speed.size() > sample &&
           lap.gear.size() > sample && lap.revs.size() > sample && lap.orientation.size() > sample;
}

}  // namespace

std::optional<int> orientationSector(int heading) {
    for (int sector = 0; sector < 16; ++sector) {
        if (std::abs(heading - kSectorCentres[sector]) <= 128) return sector;
        if (sector == 12 && std::abs(heading - 2048) <= 128) return 12;
    }
    return std::nullopt;
}

std::string elapsedText(unsigned position) {
    const unsigned seconds = position / kSamplesPerSecond;
    const unsigned minutes = seconds / 60, rest = seconds % 60;
    return std::to_string(minutes) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

Playback::StartOutcome Playback::start(bool trackLoaded, bool anyLapTicked) {
    if (!trackLoaded) return StartOutcome::NoTrack;
    if (playing_) {
        fastForward_ = paused_ = false;
        return StartOutcome::BackToNormalSpeed;
    }
    if (!anyLapTicked) return StartOutcome::NoLapChosen;
    const bool fresh = !paused_ && !fastForward_;
    if (fresh) {
        position_ = 0;
        linesRestart_ = true;
    }
    playing_ = true;
    fastForward_ = paused_ = false;
    return fresh ? StartOutcome::Started : StartOutcome::Resumed;
}

void Playback::pause() {
    if (!playing_) return;
    playing_ = fastForward_ = false;
    paused_ = true;
}

void Playback::startFastForward() {
    fastForward_ = true;
    paused_ = false;
}

void Playback::stop() {
    position_ = 0;
    playing_ = fastForward_ = paused_ = false;
}

void Playback::moveToEnd() {
    playing_ = fastForward_ = paused_ = false;
}

void Playback::moveToBeginning() {
    if (!running()) return;
    position_ = 0;
    linesRestart_ = true;
}

PlaybackTick Playback::tick(const std::array<const LapTelemetry*, kLaps>& laps,
                            const std::array<bool, kLaps>& ticked, bool mph, double trackLength) {
    PlaybackTick result;
    position_ += fastForward_ ? 4 : 2;
    result.elapsed = elapsedText(position_);
    // Position 0 is the laps' first sample, from which split times count too.
    result.elapsedMs = static_cast<int>(static_cast<double>(position_) * 1000 / kSamplesPerSecond);
    // Fast forward from the start never stands on position 2, so a restart is remembered, not inferred.
    const bool restart = linesRestart_ || position_ == 2;
    linesRestart_ = false;
    bool anySample = false;
    for (int slot = 0; slot < kLaps; ++slot) {
        const LapTelemetry* lap = laps[static_cast<std::size_t>(slot)];
        if (!lap || !ticked[static_cast<std::size_t>(slot)] || !hasSample(*lap, position_)) continue;
        anySample = true;
        const std::size_t sample = position_;
        LapTickValues& values = result.laps[static_cast<std::size_t>(slot)];
        values.active = true;
        const int kmh = wholeSpeed(lap->speed[sample]);
        values.speed = mph ? static_cast<int>(kmh * kMphPerKph) : kmh;
        values.gear = gearText(lap->gear[sample]);
        values.revs = static_cast<int>(lap->revs[sample] * 0.1 + 0.5);
        const int splits[3] = {lap->splitTime1, lap->splitTime2, lap->splitTime3};
        for (std::size_t split = 0; split < 3; ++split)
            values.splitsPassed[split] = splits[split] != 0 && splits[split] < result.elapsedMs;
        values.sector = orientationSector(lap->orientation[sample]);
        values.restartLine = restart;
        if (lap->recorded(static_cast<int>(sample))) values.sample = static_cast<int>(sample);
        // Not the distance itself: it falls back to 0 past the finish line and is 0 in a gap.
        const double travelled = distanceTravelled(*lap, static_cast<int>(sample), trackLength);
        if (!result.leader || travelled > result.leaderTravelled) {
            result.leader = slot;
            result.leaderTravelled = travelled;
        }
    }
    if (!anySample) {
        stop();
        result.ended = true;
    }
    return result;
}
