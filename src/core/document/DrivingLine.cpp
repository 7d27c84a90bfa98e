#include "document/DrivingLine.h"

#include <cmath>

#include "replay/LapTelemetry.h"
#include "track/TrackModel.h"

std::optional<MapPoint> DrivingLine::mapPoint(int sample, const MapTransform& transform) const {
    const auto index = static_cast<std::size_t>(sample);
    if (!lap_.recorded(sample)) return std::nullopt;
    const auto point = model_.positionAt(lap_.distanceM[index], lap_.lateralM[index]);
    if (!point) return std::nullopt;
    return transform.toMap(*point);
}

namespace {

constexpr double kMapExtent = 10000000;
constexpr double kMapMargin = 50;

// Isolated jumps of the map speed are smoothed as the samples are walked: p1 is the previous
// sample's value, p2 and p3 the two before it as corrected.
class SpeedSmoother {
public:
    explicit SpeedSmoother(std::vector<double>& speed) : speed_(speed) {}

    void add(std::size_t sample, double mapSpeed) {
        speed_[sample] = mapSpeed;
        bool changed = false;
        if (sample >= 5) {
            const double d1 = std::fabs(p1_ - mapSpeed), d2 = std::fabs(p2_ - mapSpeed);
            if (d1 > 1.0) {
                if (d2 > 1.0 && std::fabs(p3_ - mapSpeed) < 2.0) {
                    speed_[sample - 2] = speed_[sample - 1] = (mapSpeed + p3_) / 2;
                    p2_ = speed_[sample - 1];
                    changed = true;
                }
                if (d2 < 2.0) {
                    speed_[sample - 1] = (mapSpeed + p2_) / 2;
                    changed = true;
                }
            }
        }
        p3_ = p2_;
        p2_ = changed ? speed_[sample - 1] : p1_;
        p1_ = mapSpeed;
    }

private:
    std::vector<double>& speed_;
    double p1_ = 0, p2_ = 0, p3_ = 0;
};

}  // namespace

void computeMapChannels(LapTelemetry& lap, const TrackModel& model, double trackLengthMetres) {
    const MapTransform transform(kMapExtent, kMapExtent, kMapMargin, kMapMargin, model);
    const DrivingLine line(model, lap);
    const double unitsPerMetre = transform.unitsPerMetre();
    SpeedSmoother smoother(lap.speed);
    std::optional<MapPoint> previous = line.mapPoint(0, transform);
    int previousSample = 0;
    for (int sample = 1; sample + 1 < lap.sampleCount; ++sample) {
        const auto point = line.mapPoint(sample, transform);
        if (!point) continue;  // missing samples keep the speed of their neighbours
        if (previous) {
            const auto index = static_cast<std::size_t>(sample);
            const double dx = static_cast<double>(point->x - previous->x);
            const double dy = static_cast<double>(point->y - previous->y);
            const int heading = static_cast<int>(std::atan2(dy, dx) * 57.29577951308232 + 180);
            int slip = static_cast<int>(180 - lap.orientation[index] * 0.087890625 - heading);
            if (slip < -300)
                slip += 360;
            else if (slip > 300)
                slip -= 360;
            lap.heading[index] = static_cast<std::int16_t>(heading);
            lap.slip[index] = static_cast<std::int16_t>(slip);
            lap.slipMinusSteering[index] =
                static_cast<std::int16_t>(slip - static_cast<int>(lap.steering[index] * 20 / 124));
            // Over a gap the move spans several samples.
            const double samples = sample - previousSample;
            smoother.add(index, std::sqrt(dx * dx + dy * dy) / samples * 129600 / (unitsPerMetre * 1000));
        }
        previous = point;
        previousSample = sample;
    }

    lap.splitTime1 = lap.splitTime2 = lap.splitTime3 = 0;
    if (trackLengthMetres <= 0) return;
    int* splits[] = {&lap.splitTime1, &lap.splitTime2, &lap.splitTime3};
    // From sample 1 on: sample 0 lies before the line, at a distance near the full length.
    for (int quarter = 0, sample = 1; quarter < 3 && sample < lap.sampleCount; ++sample) {
        while (quarter < 3 &&
               lap.distanceM[static_cast<std::size_t>(sample)] > (quarter + 1) * 0.25 * trackLengthMetres) {
            *splits[quarter++] = static_cast<int>(sample * 1000 / 36);
        }
    }
}
