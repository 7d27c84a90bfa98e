#include "Driving.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kApexApproach = 90;  // metres of straight used to swing out before a bend
}

RacingLine::RacingLine(const Circuit& circuit, double roadHalfWidth) : circuit_(circuit) {
    const double edge = roadHalfWidth - 1.2;
    const auto& pieces = circuit.pieces();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].isArc()) continue;
        const double side = pieces[i].turnDegrees > 0 ? 1 : -1;
        const double start = circuit.pieceStart(i);
        const double end = i + 1 < pieces.size() ? circuit.pieceStart(i + 1) : circuit.length();
        const double before =
            i > 0 && !pieces[i - 1].isArc() ? std::min(kApexApproach, pieces[i - 1].length / 2) : 0;
        const double after = i + 1 < pieces.size() && !pieces[i + 1].isArc()
                                 ? std::min(kApexApproach, pieces[i + 1].length / 2)
                                 : 0;
        if (before > 0) points_.push_back({start - before, -side * edge});
        points_.push_back({(start + end) / 2, side * edge});
        if (after > 0) points_.push_back({end + after, -side * edge});
    }
    for (Point& p : points_)
        p.distance = std::fmod(p.distance + circuit.length(), circuit.length());
    std::sort(points_.begin(), points_.end(),
              [](const Point& a, const Point& b) { return a.distance < b.distance; });
}

double RacingLine::lateralAt(double distance) const {
    if (points_.empty()) return 0;
    const double length = circuit_.length();
    distance = std::fmod(std::fmod(distance, length) + length, length);
    auto next = std::upper_bound(points_.begin(), points_.end(), distance,
                                 [](double d, const Point& p) { return d < p.distance; });
    const Point b =
        next == points_.end() ? Point{points_.front().distance + length, points_.front().lateral} : *next;
    const Point a = next == points_.begin() ? Point{points_.back().distance - length, points_.back().lateral}
                                            : *std::prev(next);
    const double u = (distance - a.distance) / (b.distance - a.distance);
    // Eased between the points, so the line has no kinks.
    return a.lateral + (b.lateral - a.lateral) * (1 - std::cos(u * std::numbers::pi)) / 2;
}

double RacingLine::slopeAt(double distance) const {
    return (lateralAt(distance + 0.5) - lateralAt(distance - 0.5));
}

LapProfile::LapProfile(const Circuit& circuit, const CarPerformance& car, double startSpeed)
    : length_(circuit.length()) {
    const std::size_t n = static_cast<std::size_t>(std::ceil(length_));
    std::vector<double> limit(n + 1);
    for (std::size_t i = 0; i <= n; ++i) {
        const double curvature = std::fabs(circuit.curvatureAt(static_cast<double>(i)));
        // The racing line opens a bend up by a few metres of radius.
        limit[i] = curvature > 0 ? std::min(car.topSpeed, std::sqrt(car.lateralGrip * (1 / curvature + 4)))
                                 : car.topSpeed;
    }
    const auto accelerate = [&](double v) {
        return std::sqrt(v * v + 2 * car.acceleration * (1 - (v / car.topSpeed) * (v / car.topSpeed)));
    };
    const auto brake = [&](double v) { return std::sqrt(v * v + 2 * car.braking); };
    speeds_ = limit;
    // Two rounds of the lap, so the speed at the line carries over from the lap before.
    const bool flying = startSpeed < 0;
    for (int round = 0; round < (flying ? 2 : 1); ++round) {
        speeds_[0] = flying ? std::min(limit[0], accelerate(speeds_[n])) : startSpeed;
        for (std::size_t i = 1; i <= n; ++i)
            speeds_[i] = std::min(speeds_[i], accelerate(speeds_[i - 1]));
        for (std::size_t i = n; i-- > 0;)
            speeds_[i] = std::min(speeds_[i], brake(speeds_[i + 1]));
        if (flying) speeds_[n] = std::min(speeds_[n], speeds_[0]);
    }
    if (!flying) speeds_[0] = std::max(startSpeed, 0.5);
    times_.assign(n + 1, 0.0);
    for (std::size_t i = 1; i <= n; ++i) {
        const double step = std::min(1.0, length_ - static_cast<double>(i - 1));
        times_[i] = times_[i - 1] + 2 * step / (speeds_[i - 1] + speeds_[i]);
    }
}

double LapProfile::speedAt(double distance) const {
    const double at = std::clamp(distance, 0.0, static_cast<double>(speeds_.size() - 1));
    const std::size_t i = std::min(static_cast<std::size_t>(at), speeds_.size() - 2);
    return speeds_[i] + (speeds_[i + 1] - speeds_[i]) * (at - static_cast<double>(i));
}

double LapProfile::timeAt(double distance) const {
    const double at = std::clamp(distance, 0.0, length_);
    const std::size_t i = std::min(static_cast<std::size_t>(at), times_.size() - 2);
    return times_[i] + (times_[i + 1] - times_[i]) * (at - static_cast<double>(i)) /
                           std::min(1.0, length_ - static_cast<double>(i));
}

double LapProfile::distanceAt(double time) const {
    const double t = std::clamp(time, 0.0, lapTime());
    const auto next = std::upper_bound(times_.begin(), times_.end(), t);
    if (next == times_.end()) return length_;
    const std::size_t i = static_cast<std::size_t>(next - times_.begin()) - 1;
    const double span = std::min(1.0, length_ - static_cast<double>(i));
    return static_cast<double>(i) + span * (t - times_[i]) / (times_[i + 1] - times_[i]);
}

double Gearbox::rpmInGear(double speed, int gear) const {
    static constexpr double kTopSpeedKmh[] = {0, 110, 150, 190, 230, 270, 318};
    return std::max(3800.0, kRevLimit * speed * 3.6 / kTopSpeedKmh[gear]);
}

void Gearbox::step(double speed, double acceleration) {
    if (neutralSamples_ > 0) {
        // Between gears: with the throttle open the revs run up, otherwise they drop.
        rpm_ = std::min(kRevLimit + 400, rpm_ + (throttleInNeutral_ ? 350 : -600));
        if (--neutralSamples_ == 0) rpm_ = rpmInGear(speed, gear_);
        return;
    }
    if (gear_ < 6 && acceleration > 0 && rpmInGear(speed, gear_) > kRevLimit - 300) {
        ++gear_;
        neutralSamples_ = 2;
        throttleInNeutral_ = flatShifts_ && (++shifts_ % 3 == 0);
        return;
    }
    // Braking: down a gear whenever the lower one keeps the engine below its limit.
    while (gear_ > 1 && acceleration <= 0 && rpmInGear(speed, gear_) < 8500 &&
           rpmInGear(speed, gear_ - 1) < kRevLimit - 500) {
        --gear_;
    }
    rpm_ = rpmInGear(speed, gear_);
}
