#include "graphs/RulerLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "graphs/AxisTicks.h"

namespace {

std::string oneDecimal(double value) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%.1f", value);
    return length > 0 && length < static_cast<int>(sizeof text)
               ? std::string(text, static_cast<std::size_t>(length))
               : std::string();
}

}  // namespace

int rulerLabelCount(int available, const TextWidth& textWidth) {
    const int sample = std::max(1, textWidth("9.99 "));
    return std::max(0, static_cast<int>(std::ceil(static_cast<double>(available) / sample)));
}

RulerLayout layOutRuler(const RulerGeometry& geometry, double low, double high, const std::string& unit,
                        const TextWidth& textWidth) {
    const int start = geometry.startMargin;
    const int end = geometry.length - geometry.endMargin;
    const ValueMap map{start, end, low, high};
    const AxisTicks ticks = computeTicks(map, rulerLabelCount(end - start, textWidth));

    RulerLayout layout;
    std::set<int> marked;
    for (const int pixel : ticks.pixels)
        if (marked.insert(pixel).second) layout.marks.push_back({pixel, 3});
    const double halfStep = ticks.step / 2 * std::pow(10.0, ticks.exponent);
    for (const double value : ticks.values) {
        for (const double half : {value - halfStep, value + halfStep}) {
            const int pixel = map.toPixel(half);
            if (pixel >= std::min(start, end) && pixel <= std::max(start, end) && marked.insert(pixel).second)
                layout.marks.push_back({pixel, 2});
        }
    }

    layout.caption = ticks.exponent == 0 ? unit : unit + "*" + std::to_string(ticks.exponent);
    layout.captionStart = end - 1 - textWidth(layout.caption);
    const int labelsEnd = end - textWidth(unit + "-10");
    for (std::size_t i = 0; i < ticks.values.size(); ++i) {
        std::string text = oneDecimal(scaledToExponent(ticks.values[i], ticks.exponent));
        const int width = textWidth(text);
        const int labelStart = ticks.pixels[i] - width / 2;
        if (labelStart >= start && labelStart + width <= labelsEnd)
            layout.labels.push_back({std::move(text), labelStart, width});
    }
    return layout;
}
