#pragma once

#include <QIcon>

class QStyle;

// The toolbar picture of a command: the style's standard icon where one fits, otherwise one drawn
// here, so no button is empty.
QIcon commandIcon(int id, const QStyle* style);
