#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <Qt>

#include "graphs/RulerLayout.h"

class QPainter;

// How a plot ruler looks, for the ruler widgets and for pictures of a plot: 15 pixels thick, a
// raised grey body, tick marks on the edge next to the plot, labels and the unit in a fixed-pitch
// face (turned to read upward on the vertical ruler). Each ruler keeps 15 pixels at the corner
// where the two cross: the horizontal one at its start, the vertical one at its top.
namespace ruler {

constexpr int kThickness = 15;
constexpr int kCornerMargin = 15;

QFont font(Qt::Orientation orientation);
RulerGeometry geometry(Qt::Orientation orientation, QSize size);
TextWidth textWidth(const QFont& font);
// How many labels the ruler wants along its free length (the plot's grid uses the same).
int labelCount(Qt::Orientation orientation, QSize size);
RulerLayout layout(Qt::Orientation orientation, QSize size, double low, double high, const QString& unit);

// Draws the ruler for the values low..high into (0, 0) .. `size` of the painter.
void draw(QPainter& painter, Qt::Orientation orientation, QSize size, double low, double high,
          const QString& unit);

}  // namespace ruler
