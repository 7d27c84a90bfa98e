#include "map/SampleReadout.h"

#include <cmath>

#include "common/SpeedUnits.h"
#include "common/TimeText.h"

std::optional<LapSample> nearestSample(const ReplayDocument& document, const MapScene& scene, MapPoint at,
                                       double reach) {
    std::optional<LapSample> nearest;
    double best = reach * reach;
    for (const MapShape& shape : scene) {
        if (shape.lap < 0 || shape.lap >= ReplayDocument::maxLaps) continue;
        const auto& lap = document.slots()[static_cast<std::size_t>(shape.lap)].lapData;
        if (!lap) continue;
        const std::optional<int> finish = lap->finishLineSample;
        for (std::size_t i = 0; i < shape.points.size() && i < shape.samples.size(); ++i) {
            if (finish && shape.samples[i] >= *finish) break;
            const double dx = static_cast<double>(shape.points[i].x - at.x);
            const double dy = static_cast<double>(shape.points[i].y - at.y);
            const double squared = dx * dx + dy * dy;
            if (squared < best || (squared == best && nearest && shape.lap < nearest->slot)) {
                best = squared;
                nearest = LapSample{shape.lap, shape.samples[i]};
            }
        }
    }
    return nearest;
}

std::vector<std::string> sampleReadout(const ReplayDocument& document, const LapSample& at) {
    const ReplayDocument::Slot& slot = document.slots()[static_cast<std::size_t>(at.slot)];
    const LapTelemetry& lap = *slot.lapData;
    const auto index = static_cast<std::size_t>(at.sample);
    const bool mph = document.speedUnitMph();
    const double speed = lap.speed[index] * (mph ? kMphPerKmh : 1);
    return {lapCaption(slot),
            "Distance: " + std::to_string(std::lround(lap.distanceM[index])) + " m",
            "Speed: " + std::to_string(std::lround(speed)) + (mph ? " mph" : " km/h"),
            "Gear: " + std::to_string(lap.gear[index]),
            "Revs: " + std::to_string(lap.revs[index]),
            "Time: " + formatSplitTime(static_cast<std::uint32_t>(at.sample * 1000 / 36))};
}
