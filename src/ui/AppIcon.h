#pragma once

#include "common/AppArtwork.h"

#include <QIcon>

#include <span>

class QPainter;

namespace kelvane::ui {

// The program's own icon (tray, window), drawn at run time from the artwork that the installed icon
// files are made of, so that no image file has to travel with the program.
QIcon AppIcon();

// Paints the artwork into a square of the size, from its top left corner.
void PaintAppArtwork(QPainter& painter, int size);
void PaintArtwork(QPainter& painter, std::span<const ArtworkShape> shapes, int size);

// The icon of one of the main window's tabs, drawn from the same artwork.
QIcon TabIcon(TabPicture tab);

} // namespace kelvane::ui
