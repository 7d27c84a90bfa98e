#include "map/LapPosition.h"

#include <algorithm>

std::optional<MapZoom::Point> lapPositionAt(const ReplayDocument::Slot& lap, double distance,
                                            const MapTransform& transform) {
    if (!lap.lapData || !lap.drivingLine) return std::nullopt;
    const LapTelemetry& telemetry = *lap.lapData;
    // Sample 0 lies before the start line; from the finish line sample on, the distance is the
    // next lap's.
    int end = telemetry.sampleCount - 1;
    if (telemetry.finishLineSample) end = std::min(end, *telemetry.finishLineSample);
    std::optional<int> previous;
    for (int sample = 1; sample < end; ++sample) {
        if (!telemetry.recorded(sample)) continue;
        if (previous) {
            const double from = telemetry.distanceM[static_cast<std::size_t>(*previous)];
            const double to = telemetry.distanceM[static_cast<std::size_t>(sample)];
            if (from <= distance && distance <= to) {
                const std::optional<MapPoint> start = lap.drivingLine->mapPoint(*previous, transform);
                const std::optional<MapPoint> stop = lap.drivingLine->mapPoint(sample, transform);
                if (start && stop) {
                    const double share = to > from ? (distance - from) / (to - from) : 0;
                    return MapZoom::Point{
                        static_cast<double>(start->x) + static_cast<double>(stop->x - start->x) * share,
                        static_cast<double>(start->y) + static_cast<double>(stop->y - start->y) * share};
                }
            }
        }
        previous = sample;
    }
    return std::nullopt;
}
