#pragma once

#include <QPainter>
#include <QStringList>

#include "map/MapScene.h"

// How a device draws the map's lines. The screen uses cosmetic pens in logical pixels; the printer
// uses pens that scale with the page, so a preview (which plays the page back at another
// resolution) shows the same lines as the paper.
struct MapPens {
    bool cosmetic;
    double perUnit;          // pen width of one map unit of line width
    double thinnest;         // of any line
    double thinnestDriving;  // of a driving line
    bool firstLapOnTop;      // driving lines drawn last lap first

    // Screen pens at a zoom: driving lines at least 2 pixels, lap 1 above the others.
    static MapPens screen(double pixelsPerUnit);
    // Printer pens for a map laid out in device pixels at `dotsPerInch`: one map unit of width is
    // a dot of a 300 dpi printer, whatever the device.
    static MapPens print(double dotsPerInch);
};

// One lap's driving line drawn in a colour per sample rather than the lap's own.
struct SampleColours {
    int slot;
    std::vector<Rgb> bySample;  // samples beyond it keep the line's colour
};

// Draws a scene laid out in map units under the painter's transform, the line of `sampleColours`'
// lap (when given) in its samples' colours.
void drawMapScene(QPainter& painter, const MapScene& scene, const MapPens& pens,
                  const SampleColours* sampleColours = nullptr);

// A framed box of lines in the top-left corner of `area`: each entry in its colour, after a short
// stroke of that colour.
struct LegendEntry {
    QString text;
    QColor colour;
};
void drawLegend(QPainter& painter, const QRect& area, const std::vector<LegendEntry>& entries);
// Where drawLegend puts each entry's line in the legend's bold `font`.
std::vector<QRect> legendRows(const QFont& font, const QRect& area, const std::vector<LegendEntry>& entries);

// A framed note of lines beside `anchor`, kept inside `area` (the readout under the pointer); the
// first line is its title, in bold and `titleColour`.
void drawNote(QPainter& painter, const QRect& area, QPoint anchor, const QStringList& lines,
              QColor titleColour);
