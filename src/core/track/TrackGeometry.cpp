#include "track/TrackGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "track/VxObjects.h"

namespace {

constexpr double kPi = std::numbers::pi;

TrackPoint offsetPoint(double x, double y, double heading, double d) {
    return {x + d * std::cos(heading + kPi / 2), y + d * std::sin(heading + kPi / 2)};
}

int surfaceKind(std::uint32_t c) {
    return (c >= 1 && c <= 8) || c == 10 ? static_cast<int>(c) : 11;
}

}  // namespace

void TrackBoundingBox::add(const TrackPoint& p) {
    if (empty) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        empty = false;
        return;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
}

TrackSegmentGeometry::TrackSegmentGeometry(const VxSegment& segment, double startDistance, double length)
    : segment_(segment), startDistance_(startDistance), length_(length) {}

double TrackSegmentGeometry::fOffsetAt(std::size_t i, double s) const {
    const VxFSection* f = segment_.fSections[i];
    if (!f) return 0;
    return length_ > 0 ? f->a + (f->b - f->a) * s / length_ : f->a;
}

bool TrackSegmentGeometry::hasEdges() const {
    return !segment_.fSections.empty();
}
TrackPoint TrackSegmentGeometry::leftEdgeAt(double s) const {
    return positionAt(s, fOffsetAt(0, s));
}
TrackPoint TrackSegmentGeometry::rightEdgeAt(double s) const {
    return positionAt(s, fOffsetAt(segment_.fSections.size() - 1, s));
}

void TrackSegmentGeometry::build(TrackBoundingBox& box) {
    centreLine_ = buildCentreLine();
    for (const TrackPoint& p : centreLine_)
        box.add(p);

    // The strip between F sections i - 1 and i takes the surface of F section i - 1.
    const std::vector<double> along = sidePointDistances();
    for (std::size_t i = 1; i < segment_.fSections.size(); ++i) {
        TrackSurface surface;
        surface.kind = segment_.fSections[i - 1] ? surfaceKind(segment_.fSections[i - 1]->c) : 11;
        for (double s : along)
            surface.polygon.push_back(positionAt(s, fOffsetAt(i - 1, s)));
        for (auto s = along.rbegin(); s != along.rend(); ++s)
            surface.polygon.push_back(positionAt(*s, fOffsetAt(i, *s)));
        surfaces_.push_back(std::move(surface));
    }
    // Each W section is a wall from offset a at the start to offset b at the end.
    for (const VxWSection* w : segment_.wSections) {
        if (!w) continue;
        TrackBoundaryLine line;
        for (double s : along) {
            const double d = length_ > 0 ? w->a + (w->b - w->a) * s / length_ : w->a;
            line.points.push_back(positionAt(s, d));
        }
        boundaries_.push_back(std::move(line));
    }
}

StraightGeometry::StraightGeometry(const VxSegment& segment, double startDistance)
    : TrackSegmentGeometry(segment, startDistance,
                           std::hypot(segment.endX - segment.startX, segment.endY - segment.startY)) {}

TrackPoint StraightGeometry::positionAt(double s, double d) const {
    const VxSegment& g = segment();
    const double h = g.startHeading;
    return offsetPoint(g.startX + s * std::cos(h), g.startY + s * std::sin(h), h, d);
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

TrackPoint ArcGeometry::positionAt(double s, double d) const {
    const double h = segment().startHeading;
    if (sweep_ >= 0) {
        const double angle = h + s / radius_ - kPi / 2;
        return {centre_.x + (radius_ - d) * std::cos(angle), centre_.y + (radius_ - d) * std::sin(angle)};
    }
    const double angle = h - s / radius_ + kPi / 2;
    return {centre_.x + (radius_ + d) * std::cos(angle), centre_.y + (radius_ + d) * std::sin(angle)};
}

// 50 steps per half turn.
std::vector<TrackPoint> ArcGeometry::buildCentreLine() const {
    const VxSegment& g = segment();
    std::vector<TrackPoint> points{{g.startX, g.startY}};
    const int n = static_cast<int>(50 * std::fabs(sweep_) / kPi);
    const double a = sweep_ >= 0 ? g.startHeading - kPi / 2 : g.startHeading + kPi / 2;
    for (int k = 0; k < n; ++k) {
        const double step = sweep_ / n;
        points.push_back(
            {centre_.x + radius_ * std::cos(a + k * step), centre_.y + radius_ * std::sin(a + k * step)});
    }
    points.push_back({g.endX, g.endY});
    return points;
}

// A point every degree of turn: smooth even when the map fills the screen.
std::vector<double> ArcGeometry::sidePointDistances() const {
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep_) * 180 / kPi)));
    std::vector<double> along;
    for (int k = 0; k <= steps; ++k)
        along.push_back(length() * k / steps);
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
