#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace kelvane::ui {

// The main menu's and the tray menu's commands. Options that both menus hold have one action in each,
// kept checked alike by the window.
struct MainMenus
{
    QAction* Exit1 = nullptr;
    QAction* ScreensaverSettings = nullptr;
    QAction* LoadFromDiskFile = nullptr;
    QAction* ExportToDiskFile = nullptr;
    QAction* RunScreensaver = nullptr;
    QAction* StartDaemon = nullptr; // "Start XScreenSaver", shown only while the daemon is known not to run
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
