#pragma once

#include <cstdint>
#include <optional>
#include <string>

class LapTelemetry;

// The lap time measured from a processed lap's telemetry, to check the time the lap table stores.
struct LapTimeCheck {
    int calculated = 0;        // ms
    bool dataMissing = false;  // the samples at the lap's start or end seem to be missing
};

// Counts the samples between the lines and adds the fractions of a sample before the first and
// after the last, from the distance advanced per sample there. Nothing when it cannot be measured:
// no track length, a step of 0 at either end, or fewer than 5 samples.
std::optional<LapTimeCheck> checkLapTime(const LapTelemetry& lap, double trackLengthMetres);

// What the lap-time check tells the user about a lap whose table stores `stored` ms: that data
// seems to be missing at its start or end, or that the stored time differs from the measured one
// by more than 30 ms. Nothing when all is well or the time cannot be measured.
std::optional<std::string> lapTimeCheckMessage(const LapTelemetry& lap, std::uint32_t stored,
                                               double trackLengthMetres);
