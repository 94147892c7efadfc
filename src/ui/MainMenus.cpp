#include "ui/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kelvane::ui {
namespace {

QAction* Checkable(QMenu* menu, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    return action;
}

} // namespace

MainMenus BuildMainMenus(QMainWindow* window)
{
    MainMenus m;
    QMenuBar* bar = window->menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addSeparator();
    m.Exit1 = file->addAction(QStringLiteral("E&xit"));

    QMenu* screensavers = bar->addMenu(QStringLiteral("&Screensavers"));
    m.ScreensaverSettings = screensavers->addAction(QStringLiteral("Screensaver &Settings"));
    screensavers->addSeparator();
    m.LoadFromDiskFile = screensavers->addAction(QStringLiteral("&Load from Disk File.."));
    m.ExportToDiskFile = screensavers->addAction(QStringLiteral("&Export to Disk File.."));
    screensavers->addSeparator();
    m.RunScreensaver = screensavers->addAction(QStringLiteral("&Run Screensaver"));
    m.StartDaemon = screensavers->addAction(QStringLiteral("Start &XScreenSaver"));
    m.StartDaemon->setVisible(false);

    QMenu* settings = bar->addMenu(QStringLiteral("Se&ttings"));
    m.AutoRunatStartup1 = Checkable(settings, QStringLiteral("&Run at Window Startup"));
    m.MinimizetoSystemTray1 = Checkable(settings, QStringLiteral("&Minimize to System Tray"));
    m.StartMinimized1 = Checkable(settings, QStringLiteral("&Start Minimized"));
    m.StartMaximized1 = Checkable(settings, QStringLiteral("Start Ma&ximized"));
    settings->addSeparator();
    QMenu* logging = settings->addMenu(QStringLiteral("Event &Logging"));
    m.loggingEnabled = Checkable(logging, QStringLiteral("&Enabled"));
    m.SaveLogtoDisk = Checkable(logging, QStringLiteral("&Save on Close"));
    settings->addSeparator();

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    m.GetScreensavers = help->addAction(QStringLiteral("&Get Screensavers"));
    m.UpdateNotifications = Checkable(help, QStringLiteral("&Update Notifications"));
    m.OnlineHelp = help->addAction(QStringLiteral("&Online Help"));
    help->addSeparator();
    m.About = help->addAction(QStringLiteral("&About"));

    m.trayPopupMenu = new QMenu(window);
    m.ShowWindow1 = m.trayPopupMenu->addAction(QStringLiteral("&Show Window"));
    m.trayPopupMenu->addSeparator();
    m.TrayAutoRun = Checkable(m.trayPopupMenu, QStringLiteral("&Run at Window Startup"));
    m.TrayMinimizeToTray = Checkable(m.trayPopupMenu, QStringLiteral("&Minimize to System Tray"));
    m.TrayStartMinimized = Checkable(m.trayPopupMenu, QStringLiteral("S&tart Minimized"));
    m.TrayStartMaximized = Checkable(m.trayPopupMenu, QStringLiteral("Start Ma&ximized"));
    m.trayPopupMenu->addSeparator();
    m.TrayAbout = m.trayPopupMenu->addAction(QStringLiteral("&About"));
    m.TrayExit = m.trayPopupMenu->addAction(QStringLiteral("&Exit"));
    return m;
}

} // namespace kelvane::ui
