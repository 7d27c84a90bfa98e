#pragma once

#include <QColor>
#include <QImage>

// How many pixels of `image` are exactly `colour`.
inline int pixelsOf(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}
