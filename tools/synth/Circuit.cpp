#include "Circuit.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;

// Surface kinds across the road, from the left: grass, kerb, asphalt, kerb, and grass or (outside
// of a left-hand bend) gravel.
enum Surface : std::uint32_t { kAsphalt = 1, kKerb = 3, kGrass = 4, kGravel = 6 };

Circuit::Pose advance(const Circuit::Pose& pose, const Circuit::Piece& piece, double distance) {
    if (!piece.isArc())
        return {pose.x + distance * std::cos(pose.heading), pose.y + distance * std::sin(pose.heading),
                pose.heading};
    const double sign = piece.turnDegrees >= 0 ? 1 : -1;
    const double radius = piece.radius;
    // Centre on the inside of the bend; walk the circle by distance / radius.
    const double cx = pose.x + radius * std::cos(pose.heading + sign * kPi / 2);
    const double cy = pose.y + radius * std::sin(pose.heading + sign * kPi / 2);
    const double angle = pose.heading - sign * kPi / 2 + sign * distance / radius;
    return {cx + radius * std::cos(angle), cy + radius * std::sin(angle),
            pose.heading + sign * distance / radius};
}

double pieceLength(const Circuit::Piece& piece) {
    return piece.isArc() ? piece.radius * std::fabs(piece.turnDegrees) * kDegree : piece.length;
}

}  // namespace

Circuit::Circuit(std::string name, std::vector<Piece> pieces, int closeA, int closeB)
    : name_(std::move(name)), pieces_(std::move(pieces)) {
    double turn = 0;
    for (const Piece& piece : pieces_)
        turn += piece.isArc() ? piece.turnDegrees : 0;
    if (std::fabs(turn - 360) > 1e-9) throw std::logic_error("a circuit must turn through 360 degrees");
    // The end moves linearly with the two straights' lengths: one solve closes the loop.
    layOut();
    const auto straightA = static_cast<std::size_t>(closeA), straightB = static_cast<std::size_t>(closeB);
    const double ha = poses_[straightA].heading, hb = poses_[straightB].heading;
    const double gx = poses_.back().x, gy = poses_.back().y;
    const double det = std::cos(ha) * std::sin(hb) - std::sin(ha) * std::cos(hb);
    pieces_[straightA].length += (-gx * std::sin(hb) + gy * std::cos(hb)) / det;
    pieces_[straightB].length += (-std::cos(ha) * gy + std::sin(ha) * gx) / det;
    if (pieces_[straightA].length < 50 || pieces_[straightB].length < 50)
        throw std::logic_error("the circuit does not close");
    layOut();
}

void Circuit::layOut() {
    poses_ = {Pose{}};
    starts_.clear();
    length_ = 0;
    for (const Piece& piece : pieces_) {
        starts_.push_back(length_);
        const double length = pieceLength(piece);
        poses_.push_back(advance(poses_.back(), piece, length));
        length_ += length;
    }
}

std::size_t Circuit::pieceAt(double distance) const {
    std::size_t piece = 0;
    while (piece + 1 < pieces_.size() && distance >= starts_[piece + 1])
        ++piece;
    return piece;
}

Circuit::Pose Circuit::poseAt(double distance) const {
    distance = std::fmod(distance, length_);
    if (distance < 0) distance += length_;
    const std::size_t piece = pieceAt(distance);
    return advance(poses_[piece], pieces_[piece], distance - starts_[piece]);
}

double Circuit::curvatureAt(double distance) const {
    distance = std::fmod(distance, length_);
    if (distance < 0) distance += length_;
    const Piece& piece = pieces_[pieceAt(distance)];
    return piece.isArc() ? (piece.turnDegrees >= 0 ? 1 : -1) / piece.radius : 0.0;
}

Circuit::Pose Circuit::pointAt(double distance, double lateral) const {
    Pose pose = poseAt(distance);
    pose.x += lateral * std::cos(pose.heading + kPi / 2);
    pose.y += lateral * std::sin(pose.heading + kPi / 2);
    return pose;
}

TrackSpec Circuit::trackSpec() const {
    TrackSpec track;
    track.textures = {"textures\\asphalt.tga", "textures\\kerb_red_white.tga", "textures\\grass.tga",
                      "textures\\gravel.tga", std::string("textures\\lines\0overlay.tga", 25)};
    track.appearances = {
        AppearanceSpec{{0, 4, -1, -1, -1, -1, -1}},  // asphalt with its line overlay
        AppearanceSpec{{1, -1, -1, -1, -1, -1, -1}},
        AppearanceSpec{{2, -1, -1, -1, -1, -1, -1}},
        AppearanceSpec{{3, -1, -1, -1, -1, -1, -1}},
    };
    track.textureCoords = {TextureCoordsSpec{{0, 0.25, 0.5, 0.75, 1}, {0, 1}},
                           TextureCoordsSpec{{0, 1}, {0, 4}}};
    track.trackDetails = {0, 2, -1};
    track.tsoNames = {"grandstand_main", "pit_building", "tyre_wall", "marshal_post"};
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const Piece& piece = pieces_[i];
        const Pose start = poses_[i], end = poses_[i + 1];
        SegmentSpec segment;
        segment.kind = piece.isArc() ? 1 : 0;
        segment.startX = start.x, segment.startY = start.y, segment.startHeading = start.heading;
        segment.endX = end.x, segment.endY = end.y, segment.endHeading = end.heading;
        segment.xSections = {XSectionSpec{{0, 5.5, 0.1, -5.5, 0.1, static_cast<double>(i)}}};
        const bool leftBend = piece.isArc() && piece.turnDegrees > 0;
        const bool rightBend = piece.isArc() && piece.turnDegrees < 0;
        segment.fSections = {
            {14, 14, rightBend ? kGravel : kGrass, rightBend ? 3 : 2, 1},
            {6, 6, kKerb, 1, 1},
            {5, 5, kAsphalt, 0, 0},
            {-5, -5, kKerb, 1, 1},
            {-6, -6, leftBend ? kGravel : kGrass, leftBend ? 3 : 2, 1},
            {-14, -14, kGrass, -1, -1},
        };
        segment.wSections = {WSectionSpec{16, 16, 2, 2, 1}, WSectionSpec{-16, -16, 1, -1, -1}};
        track.segments.push_back(segment);
    }
    return track;
}

Circuit rivaldiCircuit() {
    using P = Circuit::Piece;
    return Circuit("rivaldi",
                   {P{1000}, P{0, 150, 90}, P{600}, P{0, 80, 60}, P{0, 120, -40}, P{500}, P{0, 200, 100},
                    P{700}, P{0, 60, 90}, P{400}, P{0, 250, 60}, P{300}},
                   2, 7);
}

Circuit hollowmereCircuit() {
    using P = Circuit::Piece;
    return Circuit(
        "hollowmere",
        {P{460}, P{0, 25, 170}, P{540}, P{0, 60, -80}, P{160}, P{0, 40, 120}, P{320}, P{0, 50, -60}, P{480},
         P{0, 30, 160}, P{240}, P{0, 80, 60}, P{300}, P{0, 45, -45}, P{420}, P{0, 100, 35}},
        4, 6);
}
