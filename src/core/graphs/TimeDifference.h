#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphs/PointList.h"

class LapTelemetry;

// The time gap between two laps A and B along the lap, drawn around the middle of the plot's y
// range, and what it comes to.

struct DifferenceTexts {
    std::string atFinishLine;  // "+0m 00.123s": A's lap time against B's
    std::string maxAhead;      // "-0m 00.250s": A's largest lead, or "NA"
    std::string maxBehind;     // "+0m 00.111s": A's largest deficit, or "NA"
    std::string spread;        // "0m 00.361s": between the two, or "NA"
};

struct TimeDifference {
    std::vector<PlotPoint> curve;     // empty when either lap has 5 samples or fewer
    std::vector<PlotPoint> zeroLine;  // from 0 to the curve's last x, at the centre of the y range
    DifferenceTexts texts;
};

struct DifferenceLap {
    const LapTelemetry* telemetry;
    std::uint32_t lapEntry;  // its lap table word: the lap time in the low 24 bits
};

// By samples: the lap is cut into 500 steps of the longer lap's distance; at each step, how many
// samples later A reached it than B (36 a second). Each lap's scan stops at its last sample; from
// a step one of them never reaches on, the difference is held. The gap fills at most 70 % of the
// half height; a gap of 0 everywhere lies on the centre line. The last point is the lap times'
// difference in samples.
TimeDifference timeDifferenceBySamples(const DifferenceLap& lapA, const DifferenceLap& lapB, double yLow,
                                       double yHigh);

// By distance: at every metre both laps covered (every few metres past 20 km), A's time there
// minus B's (each lap's time interpolated between its samples), in seconds, scaled in the same
// way. The texts tell the largest lead and deficit of this gap.
TimeDifference timeDifferenceByDistance(const DifferenceLap& lapA, const DifferenceLap& lapB, double yLow,
                                        double yHigh);
