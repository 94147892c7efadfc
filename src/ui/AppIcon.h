#pragma once

#include <QIcon>

namespace kelvane::ui {

// The program's own icon (tray, window): a small screen with a starry night on it, drawn at run time so
// that no image file has to travel with the program.
QIcon AppIcon();

} // namespace kelvane::ui
