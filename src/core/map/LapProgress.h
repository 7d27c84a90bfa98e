#pragma once

class LapTelemetry;

// The metres the car of a processed lap has come from the start line by `sample`: the distance
// along the centre line, counting on past the lap's finish line sample from the track length (or
// from the distance reached before the line, when that is longer), and over samples no record
// filled the last distance known; 0 before the first recorded sample. Sample 0 lies before the
// start line.
double distanceTravelled(const LapTelemetry& lap, int sample, double trackLength);
