#pragma once

#include <QColor>
#include <QString>

#include "document/ReplayDocument.h"

// The document's colours as Qt colours: lap k's line colour is entry k of the table, entry 5 the
// difference curves'.
inline QColor toQColor(const Rgb& colour) {
    return QColor(colour.r, colour.g, colour.b);
}

inline QColor documentColour(int index) {
    return toQColor(ReplayDocument::colourTable()[static_cast<std::size_t>(index)]);
}

// Lap colours are bright; text in them is drawn a little darker so light ones (yellow, cyan) stay
// readable on a light background.
inline QString textColourStyle(int index) {
    return QStringLiteral("color: %1;").arg(documentColour(index).darker(125).name());
}
