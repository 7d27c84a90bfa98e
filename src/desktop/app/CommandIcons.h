#pragma once

#include <QIcon>
#include <QStyle>
#include <functional>

// A command's toolbar picture, made once the window's style is known; empty for none.
using CommandPicture = std::function<QIcon(const QStyle& style)>;

// The style's standard picture, where one fits.
CommandPicture standardPicture(QStyle::StandardPixmap which);
// Pictures drawn here, where the style has none.
QIcon lapFinderPicture(const QStyle& style);
QIcon printPicture(const QStyle& style);
QIcon graphPicture(const QStyle& style);
QIcon gearLeverPicture(const QStyle& style);
QIcon zoomInPicture(const QStyle& style);
QIcon zoomOutPicture(const QStyle& style);
QIcon fitToTrackPicture(const QStyle& style);
QIcon panningPicture(const QStyle& style);
// The number of a lap slot on the lap's colour.
CommandPicture lapTogglePicture(int slot);

// A command's toolbar icon: its picture, with a disabled look clearly fainter than the style's.
QIcon commandIcon(const CommandPicture& picture, const QStyle& style);
