#pragma once

#include <cstdint>
#include <vector>

#include "document/ReplayDocument.h"

// The race chart's colours: the chart's own, then the drivers'. The chart image holds nothing
// else, so its palette is exactly this list.
namespace racechart {

enum ChartColour : std::uint8_t {
    kBackground = 0,  // 0, 0, 255
    kFrame = 1,       // 255, 0, 0: the grid's frame, "Lap" and "Pos"
    kInterior = 2,    // 128, 128, 128: the grid, "=On lead lap" and the "?" cells
    kLapped = 3,      // 207, 207, 207
    kText = 4,        // 255, 255, 255: names, lap numbers, "S", the swatches' borders
    kCredit = 5,      // 255, 255, 0: "Created with VELTRA4 Replay Analyser"
};

// Every colour, chart colours first (in ChartColour's order), then the drivers' colours.
const std::vector<Rgb>& palette();

// The palette index of driver d's colour: d = 0 green, d = 1 .. 40 twenty colours twice over,
// d = 41 and above ten colours of their own.
std::uint8_t driverColour(int driver);

}  // namespace racechart
