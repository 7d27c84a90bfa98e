#pragma once

#include <vector>

#include "graphs/AxisTicks.h"
#include "graphs/PlotModel.h"

class QImage;

// Where the dotted grid lines go: the ticks' pixels on each axis.
struct PlotGrid {
    std::vector<int> xPixels;
    std::vector<int> yPixels;
};

// Draws the plot's picture into an RGB32 image (at its device pixel ratio): the white background,
// every curve with points in slot order as a line of width 1 in its colour (a point on the pixel of
// the one before draws nothing more), then the grid, when there is one, dotted over the curves.
// Without antialiasing.
void drawPlot(QImage& image, const PlotModel& model, const ValueMap& xMap, const ValueMap& yMap,
              const PlotGrid* grid);
