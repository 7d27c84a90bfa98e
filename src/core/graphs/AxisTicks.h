#pragma once

#include <vector>

// A linear map between the pixels and the values of one plot axis, and the ticks of an axis: where
// its labels go and what they say.

struct ValueMap {
    int startPixel;
    int endPixel;
    double startValue;
    double endValue;

    static constexpr int kPixelLimit = 1 << 24;

    // Values per pixel; 0 when the pixel ends are equal.
    double factor() const {
        return startPixel == endPixel
                   ? 0
                   : (endValue - startValue) / (static_cast<double>(endPixel) - startPixel);
    }
    // The value at a pixel; the start value when the value ends are equal.
    double toValue(double pixel) const {
        return startValue == endValue ? startValue : (pixel - startPixel) * factor() + startValue;
    }
    // The pixel of a value, truncated toward zero. Equal ends of either kind, and a value that is
    // not a number, map to the start pixel; pixels far outside are held to +-kPixelLimit. Inline:
    // every point of every curve goes through it.
    int toPixel(double value) const {
        const double perPixel = factor();
        if (perPixel == 0 || startValue == endValue) return startPixel;
        const double pixel = (value - startValue) / perPixel + startPixel;
        if (pixel != pixel) return startPixel;  // not a number
        return static_cast<int>(pixel < -kPixelLimit  ? -kPixelLimit
                                : pixel > kPixelLimit ? kPixelLimit
                                                      : pixel);
    }
};

struct AxisTicks {
    int exponent = 0;  // the values' decimal exponent: labels show value / 10^exponent
    double step = 0;   // between ticks, in units of 10^exponent
    std::vector<double> values;
    std::vector<int> pixels;
};

// value / 10^exponent, as a tick's label shows it (dividing by exact powers of ten where it can).
double scaledToExponent(double value, int exponent);

// The ticks of the map's value range for about `wantedLabels` labels: a step of 1, 2 or 5 in some
// decade, the first tick the multiple of the step nearest the start value, then step by step toward
// the end value. Equal ends give `wantedLabels` ticks at the start value; ends that are not finite
// give none.
AxisTicks computeTicks(const ValueMap& map, int wantedLabels);
