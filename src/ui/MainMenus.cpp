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

ScreensaverFileItems AddScreensaverFileItems(QMenu* menu, const QString& run, const QString& setActive)
{
    ScreensaverFileItems items;
    items.Run = menu->addAction(run);
    items.SetActive = menu->addAction(setActive);
    menu->addSeparator();
    items.ShowInFolder = menu->addAction(QStringLiteral("Show in Folder"));
    items.ShowFileProperties = menu->addAction(QStringLiteral("Show File Properties"));
    items.CopyFilepath = menu->addAction(QStringLiteral("Copy Screensaver Filepath"));
    menu->addSeparator();
    items.Settings = menu->addAction(QStringLiteral("Screensaver Settings"));
    items.Options = menu->addAction(QStringLiteral("Screensaver Options"));
    return items;
}

} // namespace

MainMenus BuildMainMenus(QMainWindow* window)
{
    MainMenus m;
    QMenuBar* bar = window->menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addSeparator();
    m.Exit1 = file->addAction(QStringLiteral("Exit"));

    QMenu* screensavers = bar->addMenu(QStringLiteral("Screensavers"));
    m.ScreensaverSettings = screensavers->addAction(QStringLiteral("Screensaver Settings"));
    screensavers->addSeparator();
    m.LoadFromDiskFile = screensavers->addAction(QStringLiteral("Load from Disk File.."));
    m.ExportToDiskFile = screensavers->addAction(QStringLiteral("Export to Disk File.."));
    screensavers->addSeparator();
    m.RunScreensaver = screensavers->addAction(QStringLiteral("Run Screensaver"));

    QMenu* settings = bar->addMenu(QStringLiteral("Settings"));
    m.AutoRunatStartup1 = Checkable(settings, QStringLiteral("Run at Window Startup"));
    m.MinimizetoSystemTray1 = Checkable(settings, QStringLiteral("Minimize to System Tray"));
    m.StartMinimized1 = Checkable(settings, QStringLiteral("Start Minimized"));
    m.StartMaximized1 = Checkable(settings, QStringLiteral("Start Maximized"));
    settings->addSeparator();
    QMenu* logging = settings->addMenu(QStringLiteral("Event Logging"));
    m.loggingEnabled = Checkable(logging, QStringLiteral("Enabled"));
    m.SaveLogtoDisk = Checkable(logging, QStringLiteral("Save on Close"));
    settings->addSeparator();

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    m.GetScreensavers = help->addAction(QStringLiteral("Get Screensavers"));
    m.UpdateNotifications = Checkable(help, QStringLiteral("Update Notifications"));
    m.OnlineHelp = help->addAction(QStringLiteral("Online Help"));
    help->addSeparator();
    m.About = help->addAction(QStringLiteral("About"));

    m.SSPopupMenu = new QMenu(window);
    m.SSFileItems = AddScreensaverFileItems(m.SSPopupMenu, QStringLiteral("Run Selected Screensaver"),
                                            QStringLiteral("Set Active Selected Screensaver"));
    m.SSPopupMenu->addSeparator();
    m.DeleteSelected = m.SSPopupMenu->addAction(QStringLiteral("Delete Selected From this list"));
    m.SelectAll = m.SSPopupMenu->addAction(QStringLiteral("Select All"));

    m.EventPopupMenu = new QMenu(window);
    m.EventFileItems = AddScreensaverFileItems(m.EventPopupMenu, QStringLiteral("Run Event Screensaver"),
                                               QStringLiteral("Set Screensaver Active"));

    m.trayPopupMenu = new QMenu(window);
    m.ShowWindow1 = m.trayPopupMenu->addAction(QStringLiteral("Show Window"));
    m.trayPopupMenu->addSeparator();
    m.TrayAutoRun = Checkable(m.trayPopupMenu, QStringLiteral("Run at Window Startup"));
    m.TrayMinimizeToTray = Checkable(m.trayPopupMenu, QStringLiteral("Minimize to System Tray"));
    m.TrayStartMinimized = Checkable(m.trayPopupMenu, QStringLiteral("Start Minimized"));
    m.TrayStartMaximized = Checkable(m.trayPopupMenu, QStringLiteral("Start Maximized"));
    m.trayPopupMenu->addSeparator();
    m.TrayAbout = m.trayPopupMenu->addAction(QStringLiteral("About"));
    m.TrayExit = m.trayPopupMenu->addAction(QStringLiteral("Exit"));
    return m;
}

} // namespace kelvane::ui
