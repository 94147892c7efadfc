#pragma once

#include "ui/about/about_frmU.h"

class QWidget;

namespace kelvane::ui {

struct MainMenus;

// "About" in the Help and tray menus, and the Help menu's web links ("Get Screensavers", "Online Help").
// The context must outlive the menus.
void ConnectAboutMenus(QWidget* mainWindow, const MainMenus& menus, const AboutContext& context);

} // namespace kelvane::ui
