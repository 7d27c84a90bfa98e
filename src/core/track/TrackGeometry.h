#pragma once

#include <array>
#include <memory>
#include <vector>

struct VxSegment;

struct TrackPoint {
    double x = 0;
    double y = 0;
};

// A strip of road surface between two F sections: a closed polygon and its surface kind
// (1-8 and 10 as the track file has them, 11 for any other value).
struct TrackSurface {
    std::vector<TrackPoint> polygon;
    int kind = 11;
    // Index into the map's colour table: kinds 1-8 give 6-13, kinds 10 and 11 give 15.
    int colourIndex() const { return kind <= 8 ? kind + 5 : 15; }
};

// A wall beside the road.
struct TrackBoundaryLine {
    std::vector<TrackPoint> points;
};

// A line across the road at one distance, between the first and the last F section. Empty when
// the distance lies on no segment or the segment has no F sections.
struct TrackMarker {
    bool present = false;
    TrackPoint left;
    TrackPoint right;
};

struct TrackBoundingBox {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool empty = true;
    void add(const TrackPoint& point);
};

// The plane geometry of one segment of the centre line. Positions are (distance, lateral): the
// distance from the segment's start along the centre line, and the lateral offset, positive to the left.
class TrackSegmentGeometry {
public:
    TrackSegmentGeometry(const VxSegment& segment, double startDistance, double length);
    virtual ~TrackSegmentGeometry() = default;

    // Builds the centre line (extending the bounding box), the surfaces and the boundary lines.
    void build(TrackBoundingBox& box);

    virtual TrackPoint positionAt(double distance, double lateral) const = 0;
    // The road's edges: the first and the last F section's offset at a distance. Only with F sections.
    TrackPoint leftEdgeAt(double distance) const;
    TrackPoint rightEdgeAt(double distance) const;
    bool hasEdges() const;

    const VxSegment& segment() const { return segment_; }
    double startDistance() const { return startDistance_; }
    double length() const { return length_; }
    const std::vector<TrackPoint>& centreLine() const { return centreLine_; }
    const std::vector<TrackSurface>& surfaces() const { return surfaces_; }
    const std::vector<TrackBoundaryLine>& boundaries() const { return boundaries_; }
    bool highlighted = false;

protected:
    virtual std::vector<TrackPoint> buildCentreLine() const = 0;
    // Distances along the segment at which lines beside the centre line get a point.
    virtual std::vector<double> sidePointDistances() const = 0;

private:
    // The offset of an F section at a distance, varying linearly from its start value to its end value.
    double fOffsetAt(std::size_t section, double distance) const;

    const VxSegment& segment_;
    double startDistance_;
    double length_;
    std::vector<TrackPoint> centreLine_;
    std::vector<TrackSurface> surfaces_;
    std::vector<TrackBoundaryLine> boundaries_;
};

// Segment kind 0.
class StraightGeometry : public TrackSegmentGeometry {
public:
    StraightGeometry(const VxSegment& segment, double startDistance);
    TrackPoint positionAt(double distance, double lateral) const override;

protected:
    std::vector<TrackPoint> buildCentreLine() const override;
    std::vector<double> sidePointDistances() const override;
};

// Segment kind 1: a circular arc from the start heading to the end heading.
class ArcGeometry : public TrackSegmentGeometry {
public:
    // The sweep of a segment, folded into [-pi, pi] by whole turns.
    static double sweepOf(const VxSegment& segment);
    // An arc of (nearly) no sweep has no defined radius: it is modelled as a straight.
    static bool isDegenerate(const VxSegment& segment);

    ArcGeometry(const VxSegment& segment, double startDistance);
    TrackPoint positionAt(double distance, double lateral) const override;
    double radius() const { return radius_; }
    double sweep() const { return sweep_; }
    TrackPoint centre() const { return centre_; }

protected:
    std::vector<TrackPoint> buildCentreLine() const override;
    std::vector<double> sidePointDistances() const override;

private:
    ArcGeometry(const VxSegment& segment, double startDistance, double sweep, double radius);

    double sweep_;
    double radius_;
    TrackPoint centre_;
};

// The geometry for a decoded segment.
std::unique_ptr<TrackSegmentGeometry> makeSegmentGeometry(const VxSegment& segment, double startDistance);
