#pragma once

#include <string>
#include <vector>

#include "TrackWriter.h"

// A closed circuit of straights and arcs, laid out from the start/finish line at (0, 0) heading
// along +X, in metres. Two of its straights are lengthened or shortened so that the loop closes
// exactly; positions and headings are continuous from each piece to the next.
class Circuit {
public:
    struct Piece {
        double length = 0;  // straights
        double radius = 0;  // arcs: radius and turn in degrees, positive to the left
        double turnDegrees = 0;
        bool isArc() const { return radius > 0; }
    };
    struct Pose {
        double x = 0;
        double y = 0;
        double heading = 0;  // radians from +X toward +Y
    };

    // The pieces must turn through 360 degrees in all; straights `closeA` and `closeB` (indexes
    // into pieces, not parallel) are adjusted to close the loop.
    Circuit(std::string name, std::vector<Piece> pieces, int closeA, int closeB);

    const std::string& name() const { return name_; }
    const std::vector<Piece>& pieces() const { return pieces_; }
    double length() const { return length_; }
    // Start distance of each piece.
    double pieceStart(std::size_t piece) const { return starts_[piece]; }
    Pose startPose(std::size_t piece) const { return poses_[piece]; }
    Pose endPose(std::size_t piece) const { return poses_[piece + 1]; }

    // The point and heading of the centre line at a distance (wrapped onto the lap), and the
    // curvature there (1/radius, positive turning left).
    Pose poseAt(double distance) const;
    double curvatureAt(double distance) const;
    // The plane point of a track position: `lateral` metres to the left of the centre line.
    Pose pointAt(double distance, double lateral) const;

    // The track file's content: segments with surfaces across the road, walls, cross sections,
    // appearances, textures, texture coordinates, track details and object references.
    TrackSpec trackSpec() const;

private:
    void layOut();
    std::size_t pieceAt(double distance) const;

    std::string name_;
    std::vector<Piece> pieces_;
    std::vector<Pose> poses_;  // pose at the start of each piece, and at the end of the last
    std::vector<double> starts_;
    double length_ = 0;
};

// The two circuits of the demo: a fast one with long straights, and a twisty one with hairpins.
Circuit rivaldiCircuit();
Circuit hollowmereCircuit();
