#include "graphs/DistanceCourse.h"

#include <algorithm>
#include <cmath>

#include "replay/LapTelemetry.h"
#include "replay/ReplayFormat.h"

std::vector<CoursePoint> courseAlongDistance(const LapTelemetry& lap, int firstSample, int endSample) {
    std::vector<CoursePoint> course;
    const int first = std::max(firstSample, 0), end = std::min(endSample, lap.sampleCount);
    // One more for the point a caller may put before the course.
    course.reserve(static_cast<std::size_t>(std::max(end - first, 0)) + 1);
    for (int sample = first; sample < end; ++sample) {
        if (!lap.recorded(sample)) continue;
        const auto i = static_cast<std::size_t>(sample);
        const double distance = lap.distanceM[i];
        // A distance that is not a number would pass every comparison and let any later one in.
        if (!std::isfinite(distance) || (!course.empty() && distance < course.back().distance)) continue;
        const double speed = i < lap.speed.size() ? lap.speed[i] : 0;
        course.push_back({distance, static_cast<double>(sampleNumber(sample)) / kSamplesPerSecond, speed});
    }
    return course;
}

CoursePoint CourseReader::at(double distance) {
    while (at_ + 1 < course_.size() && course_[at_ + 1].distance < distance)
        ++at_;
    const CoursePoint& before = course_[at_];
    const CoursePoint& after = course_[std::min(at_ + 1, course_.size() - 1)];
    if (after.distance <= before.distance || distance <= before.distance)
        return {distance, before.time, before.speed};
    const auto between = [&](double CoursePoint::*value) {
        return before.*value + (after.*value - before.*value) * (distance - before.distance) /
                                   (after.distance - before.distance);
    };
    return {distance, between(&CoursePoint::time), between(&CoursePoint::speed)};
}
