#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/PointList.h"

class LapTelemetry;

// The telemetry channels a lap graph plots against the distance along the track.
enum class GraphChannel { None = 0, Speed = 1, Time = 2, Gear = 3, Revs = 4, SlipAngle = 5 };

struct ChannelAxis {
    std::string title;  // "Speed"
    std::string unit;   // "Kph", or "Mph"
    double yLow;
    double yHigh;  // the time and revs channels' grow from here with the laps shown (channelTop)
};

// The y axis of a channel; the speed unit as the settings give it at the moment of choosing.
ChannelAxis channelAxis(GraphChannel channel, bool mph);

// The lap's points of the channel: x the distance in metres, y the channel's value (speed in km/h,
// times 0.621 in mph; time in seconds from the lap's first sample; gear, leaving out neutral; rpm;
// slip angle in degrees). Samples 2 .. N-3 for speed and 2 .. N-2 for the others, leaving out
// samples no record filled; a lap of 5 samples or fewer has none.
std::vector<PlotPoint> channelPoints(const LapTelemetry& lap, GraphChannel channel, bool mph);

// The top of the y axis that the points need, for the channels whose axis grows with the laps: the
// time channel's reaches the last point, the revs channel's the highest revs rounded up to the next
// 1,000 (engines can pass 10,000). Nothing for the other channels or no points.
std::optional<double> channelTop(GraphChannel channel, const std::vector<PlotPoint>& points);

// The lap's lateral offset (m) where it first reached `distance` (m) on the lap; nothing when it
// never did.
std::optional<double> lateralAtDistance(const LapTelemetry& lap, double distance);

// The command line's names: "speed", "time", "gear", "revs", "slip".
std::string channelKey(GraphChannel channel);
std::optional<GraphChannel> channelFromKey(const std::string& key);
