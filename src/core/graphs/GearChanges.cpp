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
    const auto n = static_cast<std::size_t>(lap.sampleCount);
    Channels c{std::vector<int>(n, 0), std::vector<long long>(n, 0), std::vector<double>(n, 0),
               std::vector<std::uint32_t>(n, 0)};
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && !lap.recorded(static_cast<int>(k))) {
            c.gear[k] = c.gear[k - 1];
            c.revs[k] = c.revs[k - 1];
            c.speed[k] = c.speed[k - 1];
            c.position[k] = c.position[k - 1];
            continue;
        }
        c.gear[k] = lap.gear[k];
        c.revs[k] = lap.revs[k];
        c.speed[k] = std::isfinite(lap.speed[k]) ? lap.speed[k] : 0;
        c.position[k] = lap.distance[k];
    }
    return c;
}

bool processed(const LapTelemetry& lap) {
    const auto n = static_cast<std::size_t>(lap.sampleCount);
    return lap.sampleCount > 0 && lap.gear.size() >= n && lap.revs.size() >= n && lap.speed.size() >= n &&
           lap.distance.size() >= n && lap.distanceM.size() >= n && lap.lateralM.size() >= n;
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
    const Channels c = channelsOf(lap);
    // The last sample takes no part: a change needs a sample after it.
    const int end = lap.sampleCount - 1;
    const auto at = [](const auto& channel, int k) { return channel[static_cast<std::size_t>(k)]; };

    struct Sums {
        long long count = 0, startRevs = 0, revsLost = 0, speedLost = 0;
    };
    std::array<Sums, 5> sums{};
    int i = 0;
    while (i < end && at(c.gear, i) == 0)
        ++i;
    while (i < end) {
        if (at(c.gear, i) != 0) {
            ++i;
            continue;
        }
        const int p = i - 1;
        while (i < end && at(c.gear, i) == 0)
            ++i;
        if (i >= end) break;  // neutral to the end of the lap: no change

        const int from = at(c.gear, p), to = at(c.gear, i);
        result.rows.push_back(
            {std::to_string(result.changeCount + 1) + ": " + std::to_string(from) + "->" + std::to_string(to),
             std::to_string(at(c.position, p) / kUnitsPerMetre), std::to_string(at(c.revs, p)),
             std::to_string(at(c.revs, i) - at(c.revs, p)),
             std::to_string(speedDifference(at(c.speed, i), at(c.speed, p))), neutralTimeText(i - p)});
        if (to < from) {
            result.neutralDownshiftSamples += i - p;
        } else {
            ++result.upshiftCount;
            result.neutralUpshiftSamples += i - p;
            if (to >= 2 && to <= 6) {
                Sums& kind = sums[static_cast<std::size_t>(to - 2)];
                ++kind.count;
                kind.startRevs += at(c.revs, p);
                kind.revsLost += at(c.revs, p) - at(c.revs, i);
                kind.speedLost += speedDifference(at(c.speed, p), at(c.speed, i));
            }
            if (at(c.revs, p) < at(c.revs, p + 2) && at(c.revs, p) < at(c.revs, i - 1))
                ++result.speedshiftCount;
        }
        ++result.changeCount;
        ++i;
    }
    for (std::size_t kind = 0; kind < sums.size(); ++kind) {
        const Sums& s = sums[kind];
        if (s.count > 0)
            result.upshifts[kind] =
                UpshiftAverages{s.startRevs / s.count, s.revsLost / s.count, s.speedLost / s.count};
    }
    return result;
}
