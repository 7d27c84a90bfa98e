#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"

class LapTelemetry;
class ReplayDocument;

// Where, and by how much, laps gain or lose against a reference lap: each lap's elapsed time as a
// function of the distance from the line, compared metre by metre, and the laps' split sectors.

// One lap given to the comparison.
struct ComparisonInput {
    const LapTelemetry* telemetry;  // processed, with split times filled
    std::uint32_t lapEntry;         // its lap table word: the lap time (ms) in the low 24 bits
};

struct DeltaPoint {
    double distance;  // m from the line
    double time;      // s since the line
    double delta;     // s: this lap's time minus the reference's at the same distance; + is slower
    double speed;     // km/h
};

struct ComparedLap {
    double lapTime;      // s, from the lap table
    double finishDelta;  // s: lapTime minus the reference's lapTime
    // Every `step` metres from the line that both this lap and the reference cover, in increasing
    // distance. The reference's own points have delta 0.
    std::vector<DeltaPoint> points;

    // The point at `distance`, interpolated between the two points around it; nothing outside
    // the points.
    std::optional<DeltaPoint> at(double distance) const;
};

inline constexpr int kComparedSectors = 4;
// Points per lap at most, whatever distances a lap claims: 100 km at 1 m.
inline constexpr int kMaxPointsPerLap = 100000;

// One split sector: start to 25 %, 25 to 50 %, 50 to 75 %, 75 % to the finish.
struct SectorComparison {
    std::string name;                           // "Sector 1" .. "Sector 4"
    std::vector<std::optional<double>> times;   // s, per lap as in LapComparison::laps
    std::vector<std::optional<double>> deltas;  // s, against the reference's time
    std::optional<int> best;                    // the lap with the shortest time here
};

struct LapComparison {
    // m between points: as asked or, when the reference would have more than kMaxPointsPerLap
    // points, the smallest of 1, 2 or 5 times a power of ten that keeps it within them.
    double step = 1;
    std::vector<ComparedLap> laps;  // the reference first, then the others in the order given
    std::array<SectorComparison, kComparedSectors> sectors;
    // s: the sum of the best time of each sector, when every sector has one.
    std::optional<double> theoreticalBest;
};

enum class ComparisonRefusal {
    NoTrack,      // the laps' track is not loaded: their distances along it are unknown
    NoDistances,  // a lap that goes nowhere along the track
    TooManyLaps,  // more than the reference and four others
    InvalidStep,  // a step between points that is not a positive number of metres
};

// The reason shown to the user.
std::string refusalText(ComparisonRefusal refusal);

inline constexpr int kMaxComparedLaps = 5;

Result<LapComparison, ComparisonRefusal> compareLaps(const ComparisonInput& reference,
                                                     const std::vector<ComparisonInput>& others,
                                                     double step = 1);

// The comparison of a document's loaded laps, as every view of it asks for it: the lap in
// `referenceSlot` against those in `otherSlots`, in that order. Refused when the document has no
// track, and like a lap without distances for a slot that holds no lap.
Result<LapComparison, ComparisonRefusal> compareLoadedLaps(const ReplayDocument& document, int referenceSlot,
                                                           const std::vector<int>& otherSlots, double step);
