#pragma once

class QPainter;
class QRect;

// The picture shown before there is a track: a circuit and the program's name and version.
void paintStartPicture(QPainter& painter, const QRect& area);
