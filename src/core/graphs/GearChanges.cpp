#include "graphs/GearChanges.h"

#include <cmath>

#include "common/TimeText.h"
#include "replay/LapTelemetry.h"

namespace {

constexpr long long kMicrosecondsPerSample = 27778;
constexpr std::uint32_t kUnitsPerMetre = 2000;

long long neutralMs(long long samples) {
    return samples * kMicrosecondsPerSample / 1000;
}

// The channels the analysis reads, with each sample no record filled holding the one before.
struct Channels {
    std::vector<int> gear;
    std::vector<long long> revs;
    std::vector<double> speed;
    std::vector<std::uint32_t> position;
};

Channels channelsOf(const LapTelemetry& lap) {
    const auto sampleCount = static_cast<std::size_t>(lap.sampleCount);
    Channels channels{std::vector<int>(sampleCount, 0), std::vector<long long>(sampleCount, 0),
                      std::vector<double>(sampleCount, 0), std::vector<std::uint32_t>(sampleCount, 0)};
    for (std::size_t sample = 0; sample < sampleCount; ++sample) {
        if (sample > 0 && !lap.recorded(static_cast<int>(sample))) {
            channels.gear[sample] = channels.gear[sample - 1];
            channels.revs[sample] = channels.revs[sample - 1];
            channels.speed[sample] = channels.speed[sample - 1];
            channels.position[sample] = channels.position[sample - 1];
            continue;
        }
        channels.gear[sample] = lap.gear[sample];
        channels.revs[sample] = lap.revs[sample];
        channels.speed[sample] = std::isfinite(lap.speed[sample]) ? lap.speed[sample] : 0;
        channels.position[sample] = lap.distance[sample];
    }
    return channels;
}

bool processed(const LapTelemetry& lap) {
    const auto sampleCount = static_cast<std::size_t>(lap.sampleCount);
    return lap.sampleCount > 0 && lap.gear.size() >= sampleCount && lap.revs.size() >= sampleCount &&
           lap.speed.size() >= sampleCount && lap.distance.size() >= sampleCount &&
           lap.distanceM.size() >= sampleCount && lap.lateralM.size() >= sampleCount;
}

// trunc(to + 0.5 - from), held inside what a speed difference can be.
long long speedDifference(double to, double from) {
    const double difference = std::trunc(to + 0.5 - from);
    return std::fabs(difference) < 1e9 ? static_cast<long long>(difference) : 0;
}

}  // namespace

std::string neutralTimeText(int samples) {
    const long long ms = neutralMs(samples);
    std::string digits = std::to_string(ms % 1000);
    digits.insert(0, 3 - digits.size(), '0');
    return (ms >= 1000 ? std::to_string(ms / 1000) : std::string()) + "." + digits;
}

std::string GearAnalysis::neutralUpshiftTime() const {
    return formatElapsedTime(static_cast<std::uint32_t>(neutralMs(neutralUpshiftSamples)));
}

std::string GearAnalysis::neutralDownshiftTime() const {
    return formatElapsedTime(static_cast<std::uint32_t>(neutralMs(neutralDownshiftSamples)));
}

std::string GearAnalysis::summary() const {
    return "Out of " + std::to_string(upshiftCount) + " upshifts, " + std::to_string(speedshiftCount) +
           (speedshiftCount < 2 ? " was a speedshift." : " were speedshifts.");
}

GearAnalysis analyseGearChanges(const LapTelemetry& lap) {
    GearAnalysis result;
    if (!processed(lap)) return result;
    const Channels channels = channelsOf(lap);
    // The last sample takes no part: a change needs a sample after it.
    const int end = lap.sampleCount - 1;
    const auto at = [](const auto& channel, int sample) { return channel[static_cast<std::size_t>(sample)]; };

    struct Sums {
        long long count = 0, startRevs = 0, revsLost = 0, speedLost = 0;
    };
    std::array<Sums, 5> sums{};
    int sample = 0;
    while (sample < end && at(channels.gear, sample) == 0)
        ++sample;
    while (sample < end) {
        if (at(channels.gear, sample) != 0) {
            ++sample;
            continue;
        }
        const int previous = sample - 1;
        while (sample < end && at(channels.gear, sample) == 0)
            ++sample;
        if (sample >= end) break;  // neutral to the end of the lap: no change

        const int from = at(channels.gear, previous), to = at(channels.gear, sample);
        result.rows.push_back(
            {std::to_string(result.changeCount + 1) + ": " + std::to_string(from) + "->" + std::to_string(to),
             std::to_string(at(channels.position, previous) / kUnitsPerMetre),
             std::to_string(at(channels.revs, previous)),
             std::to_string(at(channels.revs, sample) - at(channels.revs, previous)),
             std::to_string(speedDifference(at(channels.speed, sample), at(channels.speed, previous))),
             neutralTimeText(sample - previous)});
        if (to < from) {
            result.neutralDownshiftSamples += sample - previous;
        } else {
            ++result.upshiftCount;
            result.neutralUpshiftSamples += sample - previous;
            if (to >= 2 && to <= 6) {
                Sums& kind = sums[static_cast<std::size_t>(to - 2)];
                ++kind.count;
                kind.startRevs += at(channels.revs, previous);
                kind.revsLost += at(channels.revs, previous) - at(channels.revs, sample);
                kind.speedLost += speedDifference(at(channels.speed, previous), at(channels.speed, sample));
            }
            if (at(channels.revs, previous) < at(channels.revs, previous + 2) &&
                at(channels.revs, previous) < at(channels.revs, sample - 1))
                ++result.speedshiftCount;
        }
        ++result.changeCount;
        ++sample;
    }
    for (std::size_t kind = 0; kind < sums.size(); ++kind) {
        const Sums& kindSums = sums[kind];
        if (kindSums.count > 0)
            result.upshifts[kind] =
                UpshiftAverages{kindSums.startRevs / kindSums.count, kindSums.revsLost / kindSums.count,
                                kindSums.speedLost / kindSums.count};
    }
    return result;
}
