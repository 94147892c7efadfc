#pragma once

#include <QPixmap>
#include <QSize>

namespace kelvane::ui {

// The about box's pictures, drawn by the program itself so that no image files ship with it.

// 500 × 93 with an alpha channel: the program's name in gold script on a dark starry sky, with a
// calendar symbol.
QPixmap AboutBanner();

// A lake below mountains at night, at the given size.
QPixmap NightLakePicture(QSize size);

} // namespace kelvane::ui
