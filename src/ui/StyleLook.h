#pragma once

#include "common/StyleCatalog.h"

#include <QPalette>
#include <QString>

namespace kelvane::ui {

// The palette of a carried style: every colour role of every state, so that nothing of the platform's
// own palette shows through.
QPalette CarriedStylePalette(const CarriedStyle& style);

// The style sheet of a carried style: the parts a palette cannot reach (tabs, headers, menus, the
// status bar) and the shape of buttons.
QString CarriedStyleSheet(const CarriedStyle& style);

// The name of the built-in widget style that draws the style's controls, as the style factory knows it.
QString BaseStyleKey(BaseLook base);

} // namespace kelvane::ui
