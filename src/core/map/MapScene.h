#pragma once

#include <array>
#include <vector>

#include "document/ReplayDocument.h"
#include "track/MapTransform.h"

// What the track map shows, in map units and drawing order: each segment's surfaces and boundary
// lines, the four markers, then the driving lines of the laps shown. Screens, printers and
// bitmaps all draw the same scene.
struct MapShape {
    enum class Kind { Fill, Line };
    Kind kind;
    std::vector<MapPoint> points;
    Rgb colour;
    int width = 1;               // of a line, in map units
    int lap = -1;                // the slot of a driving line; -1 for the track's shapes
    std::vector<int> samples{};  // of a driving line: the lap's sample of each point
};
using MapScene = std::vector<MapShape>;

// The laps to draw, by slot; a slot not loaded, or without a driving line, is never drawn.
using LapsShown = std::array<bool, ReplayDocument::maxLaps>;

// The document's track and the driving lines of the shown laps (each from its third sample on,
// missing samples and samples beyond the track skipped). Empty without a track.
MapScene buildMapScene(const ReplayDocument& document, const MapTransform& transform, const LapsShown& laps);

// The map's 16 colours: white, then the document's colour table entries 0 to 14.
const std::array<Rgb, 16>& mapPalette();
