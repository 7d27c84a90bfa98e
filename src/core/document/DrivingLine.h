#pragma once

#include <optional>

#include "track/MapTransform.h"

class LapTelemetry;
class TrackModel;

// One loaded lap's line on the track map: the map point of each sample. A missing sample
// (distance and lateral offset both 0) and one beyond the end of the track have none.
class DrivingLine {
public:
    DrivingLine(const TrackModel& model, const LapTelemetry& lap) : model_(model), lap_(lap) {}

    std::optional<MapPoint> mapPoint(int sample, const MapTransform& transform) const;

private:
    const TrackModel& model_;
    const LapTelemetry& lap_;
};

// The lap's map channels, on the fixed map of 10000000 x 10000000 units with margins of 50: per
// sample the heading of its move on the map, the slip (orientation against heading), slip minus
// steering, and the speed from the distance moved on the map (with isolated jumps smoothed); and
// the split times at 25, 50 and 75 % of the track length (left at 0 without a length).
void computeMapChannels(LapTelemetry& lap, const TrackModel& model, double trackLengthMetres);
