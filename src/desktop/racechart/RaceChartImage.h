#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "racechart/RaceChartLayout.h"

// The race chart drawn (Qt Gui only, so the command-line tool draws it too): its rows, lines,
// shading, labels and legend painted without antialiasing, then every pixel given its palette
// index. Texts are in the interface font at a fixed pixel size, so 18-pixel rows fit whatever the
// desktop's font size.
struct RaceChartPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // palette indexes, rows from the top
};
// Paints the chart onto `device`: the frame, the legend, the lap numbers, the credit and the
// "Lap" and "Pos" marks in that order (later parts cover earlier ones), then the rows and laps.
void paintRaceChart(QPaintDevice& device, const RaceChartLayout& chart);
// An empty picture when the image cannot be had (a damaged table claiming tens of thousands of laps).
RaceChartPicture drawRaceChart(const RaceChartLayout& chart);

// The picture as an 8-bit image with the chart's palette, for the screen.
QImage toImage(const RaceChartPicture& picture);
