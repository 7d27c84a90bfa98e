#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

class LapTelemetry;

// The gear changes of one lap: every change through neutral with where it began, the revs and the
// speed it cost and the time in neutral; the time spent in neutral in up- and downshifts; per
// upshift kind (1->2 .. 5->6) the average revs at its start and the revs and speed it lost; and how
// many upshifts were speedshifts (the revs rose while no gear was engaged).

// A row of the list: "Gearchange", "Meter ", "Revs ", "Revs-", "Speed-", "Time".
using GearChangeRow = std::array<std::string, 6>;

struct UpshiftAverages {
    long long startRevs;
    long long revsLost;
    long long speedLost;
};

struct GearAnalysis {
    std::vector<GearChangeRow> rows;
    int changeCount = 0;
    int upshiftCount = 0;
    int speedshiftCount = 0;
    int neutralUpshiftSamples = 0;
    int neutralDownshiftSamples = 0;
    // Index 0 is 1->2 (upshifts into gear 2) ... 4 is 5->6; nothing for a kind the lap never made.
    std::array<std::optional<UpshiftAverages>, 5> upshifts;

    // "0m 00.333s": the samples' time as the lap's times are written.
    std::string neutralUpshiftTime() const;
    std::string neutralDownshiftTime() const;
    // "Out of 5 upshifts, 1 was a speedshift." / "..., 2 were speedshifts."
    std::string summary() const;
};

// The analysis of a processed lap's gear, revs, speed and distance channels. A sample no record
// filled holds the sample before it, so a gap in the record neither makes nor splits a change; a
// neutral run that reaches the lap's end is no change.
GearAnalysis analyseGearChanges(const LapTelemetry& lap);

// The "Time" column: the milliseconds of `samples` at 27.778 ms, whole seconds before the point and
// the milliseconds in three digits: ".055", ".166", "1.000".
std::string neutralTimeText(int samples);
