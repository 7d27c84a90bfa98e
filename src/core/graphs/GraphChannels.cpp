#include "graphs/GraphChannels.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "replay/LapTelemetry.h"
#include "replay/ReplayFormat.h"

namespace {

constexpr double kMilesPerKilometre = 0.621;
constexpr double kRevsAxisStep = 1000;

struct ChannelName {
    GraphChannel channel;
    const char* key;
};
constexpr std::array<ChannelName, 5> kNames = {{{GraphChannel::Speed, "speed"},
                                                {GraphChannel::Time, "time"},
                                                {GraphChannel::Gear, "gear"},
                                                {GraphChannel::Revs, "revs"},
                                                {GraphChannel::SlipAngle, "slip"}}};

}  // namespace

ChannelAxis channelAxis(GraphChannel channel, bool mph) {
    switch (channel) {
        case GraphChannel::Speed:
            return {"Speed", mph ? "Mph" : "Kph", 0, 400};
        case GraphChannel::Time:
            return {"Time", "Seconds", 0, 1};
        case GraphChannel::Gear:
            return {"Gear", "Gear", 0, 6};
        case GraphChannel::Revs:
            return {"Revs", "RPM", 400, 10000};
        case GraphChannel::SlipAngle:
            return {"Degrees", "Degrees", -25, 25};
        case GraphChannel::None:
            break;
    }
    return {"", "", 0, 1};
}

std::vector<PlotPoint> channelPoints(const LapTelemetry& lap, GraphChannel channel, bool mph) {
    std::vector<PlotPoint> points;
    const int sampleCount = lap.sampleCount;
    if (sampleCount <= 5 || channel == GraphChannel::None) return points;
    const auto size = static_cast<std::size_t>(sampleCount);
    if (lap.distanceM.size() < size || lap.speed.size() < size || lap.gear.size() < size ||
        lap.revs.size() < size)
        return points;  // not processed
    const int last = channel == GraphChannel::Speed ? sampleCount - 4 : sampleCount - 3;
    const auto valueAt = [&](std::size_t sample) -> std::optional<double> {
        switch (channel) {
            case GraphChannel::Speed:
                return mph ? lap.speed[sample] * kMilesPerKilometre : lap.speed[sample];
            case GraphChannel::Time:
                return static_cast<double>(sampleNumber(static_cast<int>(sample))) / kSamplesPerSecond;
            case GraphChannel::Gear:
                if (lap.gear[sample] == 0) return std::nullopt;
                return lap.gear[sample];
            case GraphChannel::Revs:
                return lap.revs[sample];
            case GraphChannel::SlipAngle:
                return sample < lap.slip.size() ? std::optional<double>(lap.slip[sample]) : std::nullopt;
            case GraphChannel::None:
                break;
        }
        return std::nullopt;
    };
    for (int sample = 1; sample <= last; ++sample) {
        if (!lap.recorded(sample)) continue;
        const auto index = static_cast<std::size_t>(sample);
        if (const std::optional<double> y = valueAt(index)) points.push_back({lap.distanceM[index], *y});
    }
    return points;
}

std::optional<double> channelTop(GraphChannel channel, const std::vector<PlotPoint>& points) {
    if (points.empty()) return std::nullopt;
    if (channel == GraphChannel::Time) return points.back().y;
    if (channel != GraphChannel::Revs) return std::nullopt;
    const double highest =
        std::max_element(points.begin(), points.end(), [](const PlotPoint& a, const PlotPoint& b) {
            return a.y < b.y;
        })->y;
    return std::ceil(highest / kRevsAxisStep) * kRevsAxisStep;
}

std::optional<double> lateralAtDistance(const LapTelemetry& lap, double distance) {
    for (int sample = 1; sample + 1 < lap.sampleCount; ++sample)
        if (lap.recorded(sample) && lap.distanceM[static_cast<std::size_t>(sample)] >= distance)
            return lap.lateralM[static_cast<std::size_t>(sample)];
    return std::nullopt;
}

std::string channelKey(GraphChannel channel) {
    for (const ChannelName& name : kNames)
        if (name.channel == channel) return name.key;
    return "";
}

std::optional<GraphChannel> channelFromKey(const std::string& key) {
    for (const ChannelName& name : kNames)
        if (key == name.key) return name.channel;
    return std::nullopt;
}
