#pragma once

#include <QImage>

#include "graphs/PlotModel.h"

// A plot as a picture of `size` pixels, as the plot view shows it with its grid on: the rulers
// along the top and the left, the curves over the range in the rest.
QImage plotImage(const PlotModel& plot, const PlotRange& range, QSize size);
