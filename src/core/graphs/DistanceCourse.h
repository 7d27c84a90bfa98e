#pragma once

#include <cstddef>
#include <vector>

class LapTelemetry;

// A lap's course along the distance from the line, read at any distance it covers: what the time
// gap of the graph window and the lap comparison both measure laps by.

struct CoursePoint {
    double distance;  // m from the line
    double time;      // s: the sample's number of 1/36 s
    double speed;     // km/h
};

// The lap's recorded samples from `firstSample` up to `endSample` (not included) at a finite
// distance, each at least as far as the one before, so that every distance on the course is
// reached once.
std::vector<CoursePoint> courseAlongDistance(const LapTelemetry& lap, int firstSample, int endSample);

// Reads a course at distances that never go back, linear between its points. Where the lap stood
// still, a distance is reached at the first of the points that share it.
class CourseReader {
public:
    // `course` holds at least one point and outlives the reader.
    explicit CourseReader(const std::vector<CoursePoint>& course) : course_(course) {}

    // The time and speed at `distance`: the first point's before the course, the last one's after it.
    CoursePoint at(double distance);

private:
    const std::vector<CoursePoint>& course_;
    std::size_t at_ = 0;
};
