#pragma once

#include "track/TrackGeometry.h"

class TrackModel;

struct MapPoint {
    long x = 0;
    long y = 0;
};

// The world-to-map transform: fits the track's bounding box, centred and with its aspect ratio
// kept, into a map of the given size less its margins. Map Y grows downward.
class MapTransform {
public:
    MapTransform(double width, double height, double marginX, double marginY, const TrackModel& model);

    MapPoint toMap(const TrackPoint& point) const;
    double scale() const { return scale_; }  // world units per map unit
    double unitsPerMetre() const { return 1 / scale_; }

private:
    double scale_;
    long ox_;
    long oy_;
};

// Rounding half away from zero.
long roundHalfAway(double value);
