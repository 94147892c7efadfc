#pragma once

#include "common/TextEncoding.h"
#include "library/ActiveScreensaver.h"
#include "library/FileListThread.h"
#include "library/Rotation.h"
#include "library/ScreensaverList.h"
#include "library/iconUtils.h"
#include "scheduler/EventActions.h"
#include "scheduler/EventEngine.h"
#include "scheduler/EventLog.h"
#include "scheduler/EventsFile.h"
#include "scheduler/ScheduledEvent.h"
#include "settings/SettingsFile.h"
#include "ui/MainMenus.h"
#include "ui/MainWindowLayout.h"
#include "ui/QtUiThread.h"

#include <QMainWindow>
#include <QStringList>

class QLabel;
class QSystemTrayIcon;
class QTimer;

namespace kelvane::ui {
class EventListModel;
class ScreensaverListModel;
class UpdateCheck;
struct UpdateContext;
} // namespace kelvane::ui

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {
class Clock;
class RegionalSettings;
class TimeZone;
} // namespace kelvane

namespace kelvane::platform {
class DebugOutput;
}

namespace kelvane::ui {

class UserMessages;

// What the main window is given by the composition root.
struct MainWindowContext
{
    std::string DataFolder;
    platform::DebugOutput& Debug;
    UserMessages& Messages;
    const Clock& LocalClock;
    const TimeZone& Zone;
    const RegionalSettings& Regional;
    platform::ScreensaverSetting& Setting;
    platform::Shell& DesktopShell;
    platform::ProcessesAndInput& Processes;
    IconProvider& Icons;
    platform::AutostartEntry& Autostart;
    // Whether the desktop has a notification area to hide into; the system's answer when not given.
    std::function<bool()> TrayAvailable = {};
};

// The program's one long-lived window. A close from the title bar only hides it; the program ends
// through Exit1Click, which saves everything and then emits exitCompleted.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMain(const MainWindowContext& context, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Shows the window in the state the settings chose, or keeps it hidden when it starts minimised.
    void ShowAtStart();

    // A window hidden to the tray comes back at its saved placement; a visible one is left alone.
    void BringTheWindowUp();
    // Saves everything and ends the program.
    void Exit1Click();
    // The desktop session ends or the process is asked to terminate: the same exit, with failures
    // written to the error output instead of a box nobody may be there to close.
    void EndSession();
    // A session manager's save request: every file is written, and the program goes on.
    void SaveSession();

    const StartupFlags& Flags() const { return m_flags; }
    const ProgramSettings& Settings() const { return m_settings; }
    EventTable& Events() { return m_events; }
    ActiveScreensaverControl& ActiveScreensaver() { return m_activeScreensaver; }
    EventLog& Log() { return m_log; }
    QTimer* evtTimer() const { return m_evtTimer; }

    // One tick of the event timer: the timer is off while the events are checked.
    void evtTimerTimer();
    // One rotation step.
    void switchTimerTimer();
    // Panels 0 and 1 of the status bar, twice a second.
    void RefreshStatusBar();
    QString StatusPanelText(int panel) const;
    QTimer* switchTimer() const { return m_switchTimer; }

    ScreensaverList& Screensavers() { return m_screensavers; }
    const std::vector<std::string>& FolderLines() const { return m_folderLines; }
    // "Find Screensavers": scans every folder line; nothing while a scan runs.
    void findButtonClick();
    // "Add Folders" once a folder is chosen: the folder joins the lines and is scanned at once, also
    // beside a running scan.
    void ScanAddedFolder(const std::string& folder);
    bool IsProcessing() const { return m_isProcessing; }

    // Applies a style the user chose and records it as the one in use; a failure is reported and changes
    // nothing.
    void ChangeSkin(const std::string& name);
    // A pick in the style list.
    void styleBoxChange();

    // The event editor panel.
    void eventListViewIISelectItem();
    void evtTypeComboBoxSelect(int index);
    void eventListViewItemChecked(int row);
    void NewEventBtnClick();
    void saveChangesBtnClick();
    void delEventButtonClick();
    // A drop of the selected row onto the row at that position (-1: below the last row).
    void eventListViewIIDragDrop(int targetRow);
    void ShowNextEvent();
    void allEventsOffCheckBoxClick();

    // The daily update check (frmMainUpdates.cpp); the window checks nothing until it is connected.
    void ConnectUpdateCheck(const UpdateContext& context);
    UpdateCheck* Updates() const { return m_updateCheck.get(); }

    const MainWindowLayout& Controls() const { return m_controls; }
    const MainMenus& Menus() const { return m_menus; }
    QSystemTrayIcon* TrayIcon1() const { return m_trayIcon; }
    WindowState LastWindowState() const { return m_lastWindowState; }
    bool ExitRequested() const { return m_exitRequested; }

Q_SIGNALS:
    void exitCompleted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void LoadEventTable();
    void LoadListFiles();
    ScanSteps MakeScanSteps();
    void ConnectControls();
    void ConnectMenus();
    // A new value of the interval box, typed, stepped or loaded.
    void ApplyInterval(int64_t seconds);
    void ConnectEventEditor();
    // The file items of a list popup, each working on the path the popup's selection names (none: the
    // item does nothing).
    void ConnectScreensaverFileItems(const ScreensaverFileItems& items,
                                     const std::function<std::optional<std::string>()>& selectedPath);
    int SelectedEventRow() const;
    void SelectEventRow(int row);
    void ShowPickers(DateTime moment);
    DateTime PickersMoment() const;
    void DateTimePickersChange();
    void minutesSpinChange();
    EventEditorFields EditorFields() const;
    // Every menu item of a start option shows its flag.
    void ShowStartOptions();
    // The rows selected on screen, told to the core's list before an operation that uses them.
    void SyncSelectionToList();
    // After an operation: the list and its selection shown as the core now holds them.
    void ShowList();
    std::vector<std::string> SelectedPaths();
    void ShowLogLine(size_t dropped, const std::string& line);
    std::vector<int32_t> ColumnWidths() const;
    void LoadColumnWidths(bool maximized);
    Status SaveColumnWidths(bool maximized);
    void LoadWindowSettings();
    void LoadSettings();
    void LoadEventLog();
    void FormClose();
    // Writes every data file in the exit's order; the failures' texts.
    QStringList SaveAll();
    void ReportSaveFailures(const QStringList& failures, bool unattended);
    void ApplicationEvents1Minimize();
    // Hides the window behind the tray icon; without a tray the window stays on the taskbar and the
    // status bar says why, once.
    bool HideToTray();
    bool TrayAvailable() const;
    // The status timer runs only while the status bar can be seen: a program that lives in the tray
    // for days should not wake twice a second for it.
    void RestStatusBarWhileUnseen();

    void ConnectStyleBox();
    // All style names, with the one in use selected.
    void FillStyleList();

    // Each time the window becomes visible: the update timer runs from then on.
    void FormShow();

    std::string SettingsFile() const;
    WindowState CurrentWindowState() const;
    WindowRect NormalRect() const;
    void TraceWindowState(const std::string& text);
    void ReportWriteFailure(const Status& status);

    MainWindowContext m_context;
    bool m_exitRequested = false;
    bool m_exitCompleted = false;
    bool m_unattended = false;
    WindowState m_lastWindowState = WindowState::Normal;
    WindowState m_initialState = WindowState::Normal;
    StartupFlags m_flags;
    ProgramSettings m_settings;
    EventTable m_events;
    ActiveScreensaverControl m_activeScreensaver;
    IconCache m_iconCache;
    ScreensaverList m_screensavers;
    std::vector<std::string> m_folderLines;
    TextEncoding m_folderEncoding;
    RotationState m_rotation;
    EventLog m_log;
    EventActionContext m_eventActions;
    EventEngine m_engine;
    MainWindowLayout m_controls;
    MainMenus m_menus;
    ScreensaverListModel* m_screensaverModel = nullptr;
    EventListModel* m_eventModel = nullptr;
    QTimer* m_evtTimer = nullptr;
    QTimer* m_switchTimer = nullptr;
    QLabel* m_rotationPanel = nullptr;
    QLabel* m_schedulingPanel = nullptr;
    QLabel* m_messagePanel = nullptr;
    QTimer* m_statusTimer = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr; // shown while the window is hidden
    bool m_isProcessing = false;
    bool m_noTrayTold = false;
    std::unique_ptr<UpdateCheck> m_updateCheck;
    std::mutex m_criticalSection; // the scan lock, handed to every scan worker
    QtUiThread m_uiThread{this};
    // Last, so that every worker has ended before anything it uses goes.
    ScanWorkers m_scans{m_uiThread};
};

} // namespace kelvane::ui
