#pragma once

#include "program/ProgramData.h"
#include "ui/frmMain_unit.h"
#include "ui/options/OptionsTab.h"
#include "ui/scheduler/EventSchedulerTab.h"
#include "ui/screensavers/ScreensaversTab.h"

#include <QLabel>
#include <QStatusBar>
#include <QSystemTrayIcon>

namespace kelvane::test {

// The program's data, made before the window and gone after it, as the program itself has it.
struct ProgramDataHolder
{
    ProgramData Held;
};

// The main window over program data of its own, with its tabs and panels at hand for the tests.
class TestWindow : private ProgramDataHolder, public ui::TfrmMain
{
public:
    TestWindow(const std::string& dataFolder, ProgramData::Services services,
               std::function<ui::MainWindowContext(ProgramData&)> context)
        : ProgramDataHolder{ProgramData(dataFolder, services)}, ui::TfrmMain(context(Held))
    {}

    ProgramData& Data() { return Held; }
    ui::TScreensaversTab& Screens() const { return *findChild<ui::TScreensaversTab*>(); }
    ui::TEventSchedulerTab& Scheduler() const { return *findChild<ui::TEventSchedulerTab*>(); }
    ui::TOptionsTab& Options() const { return *findChild<ui::TOptionsTab*>(); }
    QSystemTrayIcon* TrayIcon1() const { return findChild<QSystemTrayIcon*>(); }
    // The status bar's panels, left to right.
    QString StatusPanelText(int panel) const { return statusBar()->findChildren<QLabel*>().at(panel)->text(); }
};

} // namespace kelvane::test
