#pragma once

#include <optional>

class LapTelemetry;

// Where a processed lap's car stands against the start/finish line. Sample 1 lies before the start
// line; the last samples lie past the finish line, where the distance falls back to about 0.

// The first sample past the finish line: the last recorded sample from 3 on whose distance is not
// above that of the recorded sample before it (from 2 on), as the lap was trimmed; nothing when
// the distance never falls back.
std::optional<int> finishLineSample(const LapTelemetry& lap);

// The metres the car has come from the start line by `sample`: the distance along the centre line,
// counting on past the finish line from the track length (or from the distance reached before the
// line, when that is longer), and over samples no record filled the last distance known; 0 before
// the first recorded sample.
double distanceTravelled(const LapTelemetry& lap, int sample, double trackLength);
