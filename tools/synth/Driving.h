#pragma once

#include <vector>

#include "Circuit.h"

// How a driver's car goes: grip in bends, acceleration, braking, top speed.
struct CarPerformance {
    double lateralGrip = 19;   // m/s^2 in bends
    double acceleration = 11;  // m/s^2 at low speed, falling to 0 at top speed
    double braking = 36;       // m/s^2
    double topSpeed = 87;      // m/s (about 313 km/h)
};

// The lateral offset of the racing line: from the outside of the road before a bend to the apex
// on the inside at its middle and back out after it.
class RacingLine {
public:
    RacingLine(const Circuit& circuit, double roadHalfWidth);
    double lateralAt(double distance) const;
    // Change of the lateral offset per metre along the track.
    double slopeAt(double distance) const;

private:
    struct Point {
        double distance;
        double lateral;
    };
    const Circuit& circuit_;
    std::vector<Point> points_;  // sorted by distance, wrapping round the lap
};

// A car's speed over one lap, metre by metre, and the time at each distance.
class LapProfile {
public:
    // A flying lap; or, with a start speed, a lap from the line at that speed (a standing start).
    LapProfile(const Circuit& circuit, const CarPerformance& car, double startSpeed = -1);

    double lapTime() const { return times_.back(); }  // seconds
    double speedAt(double distance) const;            // m/s
    double timeAt(double distance) const;             // seconds from the line
    double distanceAt(double time) const;             // metres from the line, within the lap

private:
    std::vector<double> speeds_;  // at each metre, and at the lap's end
    std::vector<double> times_;
    double length_;
};

// Engine speed and gear from road speed: upshifts near the rev limit with a few samples in
// neutral (sometimes with the throttle kept open, so the revs rise), downshifts when braking.
class Gearbox {
public:
    explicit Gearbox(bool flatShifts) : flatShifts_(flatShifts) {}
    // Advances one sample at `speed` (m/s); returns nothing, see gear() and rpm().
    void step(double speed, double acceleration);
    int gear() const { return neutralSamples_ > 0 ? 0 : gear_; }
    double rpm() const { return rpm_; }
    static constexpr double kRevLimit = 12000;

private:
    double rpmInGear(double speed, int gear) const;

    bool flatShifts_;
    int gear_ = 1;
    int neutralSamples_ = 0;
    bool throttleInNeutral_ = false;
    int shifts_ = 0;
    double rpm_ = 4000;
};
