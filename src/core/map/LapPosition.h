#pragma once

#include <optional>

#include "document/ReplayDocument.h"
#include "map/MapZoom.h"

// Where a loaded lap's car was at `distance` m from the line, in map units: on the straight between
// the map points of the first two consecutive recorded samples inside the lap whose distances
// enclose it, by the share of the distance between them. Nothing without a driving line, outside
// the lap's distances, or where those samples lie beyond the end of the track.
std::optional<MapZoom::Point> lapPositionAt(const ReplayDocument::Slot& lap, double distance,
                                            const MapTransform& transform);
