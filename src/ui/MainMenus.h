#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace kelvane::ui {

// The items both list popups offer on one screensaver file, in their order on the menu.
struct ScreensaverFileItems
{
    QAction* Run = nullptr;
    QAction* SetActive = nullptr;
    QAction* ShowInFolder = nullptr;
    QAction* ShowFileProperties = nullptr;
    QAction* CopyFilepath = nullptr;
    QAction* Settings = nullptr; // the system's screensaver settings, needing no file
    QAction* Options = nullptr;
};

// The main menu's and the tray menu's commands. Options that both menus hold have one action in each,
// kept checked alike by the window.
struct MainMenus
{
    QAction* Exit1 = nullptr;
    QAction* ScreensaverSettings = nullptr;
    QAction* LoadFromDiskFile = nullptr;
    QAction* ExportToDiskFile = nullptr;
    QAction* RunScreensaver = nullptr;
    QAction* AutoRunatStartup1 = nullptr;
    QAction* MinimizetoSystemTray1 = nullptr;
    QAction* StartMinimized1 = nullptr;
    QAction* StartMaximized1 = nullptr;
    QAction* loggingEnabled = nullptr;
    QAction* SaveLogtoDisk = nullptr;
    QAction* GetScreensavers = nullptr;
    QAction* UpdateNotifications = nullptr;
    QAction* OnlineHelp = nullptr;
    QAction* About = nullptr;

    // The screensaver list's popup menu.
    QMenu* SSPopupMenu = nullptr;
    ScreensaverFileItems SSFileItems; // "Run Selected Screensaver", "Set Active Selected Screensaver", ...
    QAction* DeleteSelected = nullptr;
    QAction* SelectAll = nullptr;

    // The scheduled-events list's popup menu: each item works on the selected event's screensaver.
    QMenu* EventPopupMenu = nullptr;
    ScreensaverFileItems EventFileItems; // "Run Event Screensaver", "Set Screensaver Active", ...

    QMenu* trayPopupMenu = nullptr;
    QAction* ShowWindow1 = nullptr;
    QAction* TrayAutoRun = nullptr;
    QAction* TrayMinimizeToTray = nullptr;
    QAction* TrayStartMinimized = nullptr;
    QAction* TrayStartMaximized = nullptr;
    QAction* TrayAbout = nullptr;
    QAction* TrayExit = nullptr;
};

MainMenus BuildMainMenus(QMainWindow* window);

} // namespace kelvane::ui
