#pragma once

#include <optional>

#include "graphs/AxisTicks.h"

// The shown part of a plot: x1 at the left edge, x2 at the right, y1 at the bottom, y2 at the top;
// and how fitting, zooming and panning change it.

struct PlotRange {
    double x1 = 0;
    double x2 = 0;
    double y1 = 0;
    double y2 = 0;

    bool operator==(const PlotRange&) const = default;
};

struct DataBounds {
    double minX, maxX, minY, maxY;
};

enum class FitKind { Width, Height, Page };

// The range fitted to the data on one or both axes. An axis whose data share one value gets 10 %
// of that value either side (or -1..1 around 0), so the range never collapses.
PlotRange fitted(const PlotRange& current, const DataBounds& data, FitKind kind);

// The range that shows what the maps' pixel rectangle left..right, bottom..top shows now.
PlotRange zoomedTo(const ValueMap& xMap, const ValueMap& yMap, int left, int right, int bottom, int top);

// The range zoomed by `factor` (above 1: closer) about the value under pixel (px, py), which stays
// under that pixel.
PlotRange zoomedAbout(const PlotRange& current, const ValueMap& xMap, const ValueMap& yMap, int px, int py,
                      double factor);

// The range moved so the data follow the pointer from pixel `from` to pixel `to`.
PlotRange panned(const PlotRange& current, const ValueMap& xMap, const ValueMap& yMap, int fromX, int fromY,
                 int toX, int toY);

// Whether the range can be shown: finite ends, and on each axis ends far enough apart for the
// values between them to differ (zooming and panning stop short of a range that is not).
bool isShowable(const PlotRange& range);

// The maps of a plot window of width x height pixels showing the range: x from the left edge, y
// from the bottom edge up.
ValueMap xMapOf(const PlotRange& range, int width);
ValueMap yMapOf(const PlotRange& range, int height);
