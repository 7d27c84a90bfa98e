#include "track/TrackGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "track/VxObjects.h"

namespace {

constexpr double kPi = std::numbers::pi;

TrackPoint offsetPoint(double x, double y, double heading, double lateral) {
    return {x + lateral * std::cos(heading + kPi / 2), y + lateral * std::sin(heading + kPi / 2)};
}

int surfaceKind(std::uint32_t surface) {
    return (surface >= 1 && surface <= 8) || surface == 10 ? static_cast<int>(surface) : 11;
}

}  // namespace

void TrackBoundingBox::add(const TrackPoint& point) {
    if (empty) {
        minX = maxX = point.x;
        minY = maxY = point.y;
        empty = false;
        return;
    }
    minX = std::min(minX, point.x);
    maxX = std::max(maxX, point.x);
    minY = std::min(minY, point.y);
    maxY = std::max(maxY, point.y);
}

TrackSegmentGeometry::TrackSegmentGeometry(const VxSegment& segment, double startDistance, double length)
    : segment_(segment), startDistance_(startDistance), length_(length) {}

double TrackSegmentGeometry::fOffsetAt(std::size_t section, double distance) const {
    const VxFSection* fSection = segment_.fSections[section];
    if (!fSection) return 0;
    return length_ > 0
               ? fSection->startOffset + (fSection->endOffset - fSection->startOffset) * distance / length_
               : fSection->startOffset;
}

bool TrackSegmentGeometry::hasEdges() const {
    return !segment_.fSections.empty();
}
TrackPoint TrackSegmentGeometry::leftEdgeAt(double distance) const {
    return positionAt(distance, fOffsetAt(0, distance));
}
TrackPoint TrackSegmentGeometry::rightEdgeAt(double distance) const {
    return positionAt(distance, fOffsetAt(segment_.fSections.size() - 1, distance));
}

void TrackSegmentGeometry::build(TrackBoundingBox& box) {
    centreLine_ = buildCentreLine();
    for (const TrackPoint& point : centreLine_)
        box.add(point);

    // The strip between two neighbouring F sections takes the surface of the first of them.
    const std::vector<double> along = sidePointDistances();
    for (std::size_t section = 1; section < segment_.fSections.size(); ++section) {
        TrackSurface surface;
        surface.kind =
            segment_.fSections[section - 1] ? surfaceKind(segment_.fSections[section - 1]->surface) : 11;
        for (double distance : along)
            surface.polygon.push_back(positionAt(distance, fOffsetAt(section - 1, distance)));
        for (auto distance = along.rbegin(); distance != along.rend(); ++distance)
            surface.polygon.push_back(positionAt(*distance, fOffsetAt(section, *distance)));
        surfaces_.push_back(std::move(surface));
    }
    // Each W section is a wall from its start offset to its end offset.
    for (const VxWSection* wall : segment_.wSections) {
        if (!wall) continue;
        TrackBoundaryLine line;
        for (double distance : along) {
            const double lateral =
                length_ > 0 ? wall->startOffset + (wall->endOffset - wall->startOffset) * distance / length_
                            : wall->startOffset;
            line.points.push_back(positionAt(distance, lateral));
        }
        boundaries_.push_back(std::move(line));
    }
}

StraightGeometry::StraightGeometry(const VxSegment& segment, double startDistance)
    : TrackSegmentGeometry(segment, startDistance,
                           std::hypot(segment.endX - segment.startX, segment.endY - segment.startY)) {}

TrackPoint StraightGeometry::positionAt(double distance, double lateral) const {
    const VxSegment& piece = segment();
    const double heading = piece.startHeading;
    return offsetPoint(piece.startX + distance * std::cos(heading),
                       piece.startY + distance * std::sin(heading), heading, lateral);
}

std::vector<TrackPoint> StraightGeometry::buildCentreLine() const {
    return {{segment().startX, segment().startY}, {segment().endX, segment().endY}};
}

std::vector<double> StraightGeometry::sidePointDistances() const {
    return {0.0, length()};
}

// However many turns the stored headings are apart, the sweep is the turn between them; a sweep
// within [-pi, pi] is taken as it stands.
double ArcGeometry::sweepOf(const VxSegment& segment) {
    const double sweep = segment.endHeading - segment.startHeading;
    return std::fabs(sweep) <= kPi ? sweep : std::remainder(sweep, 2 * kPi);
}

bool ArcGeometry::isDegenerate(const VxSegment& segment) {
    return std::fabs(std::sin(sweepOf(segment) / 2)) < 1e-9;
}

ArcGeometry::ArcGeometry(const VxSegment& segment, double startDistance)
    : ArcGeometry(segment, startDistance, sweepOf(segment),
                  std::fabs(std::hypot(segment.endX - segment.startX, segment.endY - segment.startY) /
                            (2 * std::sin(sweepOf(segment) / 2)))) {}

ArcGeometry::ArcGeometry(const VxSegment& segment, double startDistance, double sweep, double radius)
    : TrackSegmentGeometry(segment, startDistance, std::fabs(radius * sweep)),
      sweep_(sweep),
      radius_(radius) {
    const double toCentre = segment.startHeading + (sweep < 0 ? -kPi / 2 : kPi / 2);
    centre_ = {segment.startX + radius * std::cos(toCentre), segment.startY + radius * std::sin(toCentre)};
}

TrackPoint ArcGeometry::positionAt(double distance, double lateral) const {
    const double heading = segment().startHeading;
    if (sweep_ >= 0) {
        const double angle = heading + distance / radius_ - kPi / 2;
        return {centre_.x + (radius_ - lateral) * std::cos(angle),
                centre_.y + (radius_ - lateral) * std::sin(angle)};
    }
    const double angle = heading - distance / radius_ + kPi / 2;
    return {centre_.x + (radius_ + lateral) * std::cos(angle),
            centre_.y + (radius_ + lateral) * std::sin(angle)};
}

// 50 steps per half turn.
std::vector<TrackPoint> ArcGeometry::buildCentreLine() const {
    const VxSegment& piece = segment();
    std::vector<TrackPoint> points{{piece.startX, piece.startY}};
    const int steps = static_cast<int>(50 * std::fabs(sweep_) / kPi);
    const double startAngle = sweep_ >= 0 ? piece.startHeading - kPi / 2 : piece.startHeading + kPi / 2;
    for (int step = 0; step < steps; ++step) {
        const double stepAngle = sweep_ / steps;
        points.push_back({centre_.x + radius_ * std::cos(startAngle + step * stepAngle),
                          centre_.y + radius_ * std::sin(startAngle + step * stepAngle)});
    }
    points.push_back({piece.endX, piece.endY});
    return points;
}

// A point every degree of turn: smooth even when the map fills the screen.
std::vector<double> ArcGeometry::sidePointDistances() const {
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep_) * 180 / kPi)));
    std::vector<double> along;
    for (int step = 0; step <= steps; ++step)
        along.push_back(length() * step / steps);
    return along;
}

std::unique_ptr<TrackSegmentGeometry> makeSegmentGeometry(const VxSegment& segment, double startDistance) {
    // Kinds other than straight (0) and arc (1) are not known; they are modelled as a straight from
    // their start to their end, so the distances along the track stay whole.
    if (segment.kind == 1 && !ArcGeometry::isDegenerate(segment)) {
        return std::make_unique<ArcGeometry>(segment, startDistance);
    }
    return std::make_unique<StraightGeometry>(segment, startDistance);
}
