#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compare/LapComparison.h"
#include "document/ReplayDocument.h"

class LapTelemetry;

// A lap's driving line coloured by where it gains or loses time against the reference: by the rate
// its delta changes over the 10 m around each sample.

inline constexpr double kGainWindowM = 10;
// s of delta change per 10 m: within ±kNeutralGainRate the line is grey; from kSaturatedGainRate
// on it is full green (gaining) or full red (losing), and in between it fades from grey.
inline constexpr double kNeutralGainRate = 0.002;
inline constexpr double kSaturatedGainRate = 0.005;

// s per 10 m: the change of the delta across the 10 m around `distance`, the window kept inside
// the lap's points (and scaled to 10 m). Nothing outside the points, where they span no distance,
// or where the delta is not a number.
std::optional<double> deltaRate(const ComparedLap& lap, double distance);

// Falling delta (rate below 0) gains: green; rising loses: red.
Rgb gainColour(double rate);

// The colour of each sample of the lap's telemetry (indexed by sample): by its delta rate inside
// the lap, and `own` for samples no record filled, outside the lap or beyond the compared distance.
std::vector<Rgb> sampleGainColours(const ComparedLap& lap, const LapTelemetry& telemetry, Rgb own);

// What the colours mean, for a legend: "Green gains, red loses more than 2 ms per 10 m (full
// colour from 5 ms)".
std::string gainLegendText();
