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
    for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
        if (!pieces[piece].isArc()) continue;
        const double side = pieces[piece].turnDegrees > 0 ? 1 : -1;
        const double start = circuit.pieceStart(piece);
        const double end = piece + 1 < pieces.size() ? circuit.pieceStart(piece + 1) : circuit.length();
        const double before = piece > 0 && !pieces[piece - 1].isArc()
                                  ? std::min(kApexApproach, pieces[piece - 1].length / 2)
                                  : 0;
        const double after = piece + 1 < pieces.size() && !pieces[piece + 1].isArc()
                                 ? std::min(kApexApproach, pieces[piece + 1].length / 2)
                                 : 0;
        if (before > 0) points_.push_back({start - before, -side * edge});
        points_.push_back({(start + end) / 2, side * edge});
        if (after > 0) points_.push_back({end + after, -side * edge});
    }
    for (Point& point : points_)
        point.distance = std::fmod(point.distance + circuit.length(), circuit.length());
    std::sort(points_.begin(), points_.end(),
              [](const Point& first, const Point& second) { return first.distance < second.distance; });
}

double RacingLine::lateralAt(double distance) const {
    if (points_.empty()) return 0;
    const double length = circuit_.length();
    distance = std::fmod(std::fmod(distance, length) + length, length);
    auto next = std::upper_bound(points_.begin(), points_.end(), distance,
                                 [](double at, const Point& point) { return at < point.distance; });
    const Point following =
        next == points_.end() ? Point{points_.front().distance + length, points_.front().lateral} : *next;
    const Point previous = next == points_.begin()
                               ? Point{points_.back().distance - length, points_.back().lateral}
                               : *std::prev(next);
    const double progress = (distance - previous.distance) / (following.distance - previous.distance);
    // Eased between the points, so the line has no kinks.
    return previous.lateral +
           (following.lateral - previous.lateral) * (1 - std::cos(progress * std::numbers::pi)) / 2;
}

double RacingLine::slopeAt(double distance) const {
    return (lateralAt(distance + 0.5) - lateralAt(distance - 0.5));
}

LapProfile::LapProfile(const Circuit& circuit, const CarPerformance& car, double startSpeed)
    : length_(circuit.length()) {
    const std::size_t metres = static_cast<std::size_t>(std::ceil(length_));
    std::vector<double> limit(metres + 1);
    for (std::size_t metre = 0; metre <= metres; ++metre) {
        const double curvature = std::fabs(circuit.curvatureAt(static_cast<double>(metre)));
        // The racing line opens a bend up by a few metres of radius.
        limit[metre] = curvature > 0
                           ? std::min(car.topSpeed, std::sqrt(car.lateralGrip * (1 / curvature + 4)))
                           : car.topSpeed;
    }
    const auto accelerate = [&](double speed) {
        return std::sqrt(speed * speed +
                         2 * car.acceleration * (1 - (speed / car.topSpeed) * (speed / car.topSpeed)));
    };
    const auto brake = [&](double speed) { return std::sqrt(speed * speed + 2 * car.braking); };
    speeds_ = limit;
    // Two rounds of the lap, so the speed at the line carries over from the lap before.
    const bool flying = startSpeed < 0;
    for (int round = 0; round < (flying ? 2 : 1); ++round) {
        speeds_[0] = flying ? std::min(limit[0], accelerate(speeds_[metres])) : startSpeed;
        for (std::size_t metre = 1; metre <= metres; ++metre)
            speeds_[metre] = std::min(speeds_[metre], accelerate(speeds_[metre - 1]));
        for (std::size_t metre = metres; metre-- > 0;)
            speeds_[metre] = std::min(speeds_[metre], brake(speeds_[metre + 1]));
        if (flying) speeds_[metres] = std::min(speeds_[metres], speeds_[0]);
    }
    if (!flying) speeds_[0] = std::max(startSpeed, 0.5);
    times_.assign(metres + 1, 0.0);
    for (std::size_t metre = 1; metre <= metres; ++metre) {
        const double step = std::min(1.0, length_ - static_cast<double>(metre - 1));
        times_[metre] = times_[metre - 1] + 2 * step / (speeds_[metre - 1] + speeds_[metre]);
    }
}

double LapProfile::speedAt(double distance) const {
    const double at = std::clamp(distance, 0.0, static_cast<double>(speeds_.size() - 1));
    const std::size_t metre = std::min(static_cast<std::size_t>(at), speeds_.size() - 2);
    return speeds_[metre] + (speeds_[metre + 1] - speeds_[metre]) * (at - static_cast<double>(metre));
}

double LapProfile::timeAt(double distance) const {
    const double at = std::clamp(distance, 0.0, length_);
    const std::size_t metre = std::min(static_cast<std::size_t>(at), times_.size() - 2);
    return times_[metre] + (times_[metre + 1] - times_[metre]) * (at - static_cast<double>(metre)) /
                               std::min(1.0, length_ - static_cast<double>(metre));
}

double LapProfile::distanceAt(double time) const {
    const double clamped = std::clamp(time, 0.0, lapTime());
    const auto next = std::upper_bound(times_.begin(), times_.end(), clamped);
    if (next == times_.end()) return length_;
    const std::size_t metre = static_cast<std::size_t>(next - times_.begin()) - 1;
    const double span = std::min(1.0, length_ - static_cast<double>(metre));
    return static_cast<double>(metre) +
           span * (clamped - times_[metre]) / (times_[metre + 1] - times_[metre]);
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
