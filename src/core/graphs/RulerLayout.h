#pragma once

#include <functional>
#include <string>
#include <vector>

// What a plot ruler shows along its length: tick marks, the ticks' labels and the caption at the
// far end. Positions run along the ruler from its start (the left end of a horizontal ruler, the
// bottom end of a vertical one).

struct RulerGeometry {
    int length;       // pixels along the ruler
    int startMargin;  // pixels at the start where the other ruler crosses (horizontal ruler)
    int endMargin;    // pixels at the end where the other ruler crosses (vertical ruler)
};

struct RulerMark {
    int at;
    int length;  // 3 at a tick, 2 halfway between
};

struct RulerLabel {
    std::string text;  // "0.4": the tick's value over 10^exponent
    int start;
    int width;
};

struct RulerLayout {
    std::vector<RulerMark> marks;
    std::vector<RulerLabel> labels;
    std::string caption;  // the unit, with "*" and the exponent when it is not 0
    int captionStart = 0;
};

using TextWidth = std::function<int(const std::string&)>;

// How many labels fit along `available` pixels: one per width of "9.99 ".
int rulerLabelCount(int available, const TextWidth& textWidth);

// The ruler's layout for the values low..high over the pixels between its margins. A label is kept
// only where it fits wholly between the start margin and the room kept for the caption (the width
// of the unit and "-10"); the caption ends one pixel inside the end margin.
RulerLayout layOutRuler(const RulerGeometry& geometry, double low, double high, const std::string& unit,
                        const TextWidth& textWidth);
