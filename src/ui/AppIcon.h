#pragma once

#include <QIcon>

class QPainter;

namespace kelvane::ui {

// The program's own icon (tray, window), drawn at run time from the artwork that the installed icon
// files are made of, so that no image file has to travel with the program.
QIcon AppIcon();

// Paints the artwork into a square of the size, from its top left corner.
void PaintAppArtwork(QPainter& painter, int size);

} // namespace kelvane::ui
