#pragma once

#include "library/ActiveScreensaver.h"
#include "settings/SettingsFile.h"
#include "settings/WindowPlacement.h"
#include "ui/MainMenus.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QSystemTrayIcon;
class QTabWidget;
class QTimer;

namespace kelvane {
class Clock;
class ProgramData;
class RegionalSettings;
class TimeZone;
} // namespace kelvane

namespace kelvane::platform {
class AutostartEntry;
class DebugOutput;
class ProcessesAndInput;
class ScreensaverCatalogue;
class ScreensaverDaemon;
class ScreensaverPreview;
class ScreensaverSetting;
class Shell;
class StatusNotices;
} // namespace kelvane::platform

namespace kelvane::ui {

class StatusPanels;
class TEventSchedulerTab;
class TOptionsTab;
class TScreensaversTab;
class UpdateCheck;
class UserMessages;
struct UpdateContext;

// What the main window is given by the composition root.
struct MainWindowContext
{
    ProgramData& Data;
    platform::DebugOutput& Debug;
    UserMessages& Messages;
    const Clock& LocalClock;
    const TimeZone& Zone;
    const RegionalSettings& Regional;
    platform::ScreensaverSetting& Setting;
    platform::Shell& DesktopShell;
    platform::ProcessesAndInput& Processes;
    platform::AutostartEntry& Autostart;
    // Whether the desktop has a notification area to hide into; the system's answer when not given.
    std::function<bool()> TrayAvailable = {};
    // What the system's side could not do, shown in the message panel; nothing when not given.
    platform::StatusNotices* Notices = nullptr;
    // The desktop's own screensaver programs (listed by a scan), and the list's live preview.
    const platform::ScreensaverCatalogue* Programs = nullptr;
    platform::ScreensaverPreview* Preview = nullptr;
    // The settings file as the start has read it already, so that the window does not read it again;
    // used only while the window is made. The window reads the file itself when not given.
    const IniValues* StoredSettings = nullptr;
    // Shown in the middle of an empty screensaver list, from the language file.
    std::string EmptyListHint = {};
    // The screensaver daemon, checked at the start and offered to start; none where there is none.
    platform::ScreensaverDaemon* Daemon = nullptr;
    // The system's margins of the window's whole frame, in device pixels; Qt's when not given.
    std::function<std::optional<FrameMargins>(uint64_t nativeWindow)> WindowFrame = {};
    // Shown in the preview pane where the system cannot show a preview there, from the language file.
    std::string PreviewOwnWindowNote = {};
};

// The program's one long-lived window: the three tabs, the menus, the tray icon, the status bar, and the
// window's state and placement. It loads the program's data when it is made, and saves it all when the
// program ends. A close from the title bar only hides it; the program ends through Exit1Click, which
// saves everything and then emits exitCompleted.
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

    // Panels 0 and 1 of the status bar, twice a second.
    void RefreshStatusBar();
    // Panel 0 alone, when the rotation changes: the next event, which takes a pass over every event, is
    // not touched by it.
    void RefreshRotationPanel();
    // The third panel: the latest message of any part of the program.
    void ShowMessage(const QString& text);

    // The daily update check (ui/update/UpdateCheck.cpp); the window checks nothing until it is connected.
    void ConnectUpdateCheck(const UpdateContext& context);
    UpdateCheck* Updates() const { return m_updateCheck.get(); }

    const MainMenus& Menus() const { return m_menus; }

Q_SIGNALS:
    void exitCompleted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildStatusBar();
    void FormCreate();
    // What the loads found wrong with the data files, told once in one message.
    void ReportStartProblems();
    void ConnectMenus();
    // Asks whether the screensaver daemon runs and, when it does not, says so once and offers to start it.
    void OfferDaemonStart();
    // Every menu item of a start option shows its flag.
    void ShowStartOptions();
    void LoadColumnWidths(const IniValues& stored, bool maximized);
    Status SaveColumnWidths(bool maximized);
    void LoadWindowSettings(const IniValues& stored);
    void FormClose();
    // Writes every data file, in the exit's order; the failures' texts.
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
    // Each time the window becomes visible: the update timer runs from then on.
    void FormShow();

    WindowState CurrentWindowState() const;
    // The placement is the window's outer frame: moved and, if need be, shrunk onto the screen it lands
    // on, then turned into the client area Qt sizes.
    void PlaceFrame(const WindowRect& frame);
    FrameMargins Margins() const;
    // The last margins read while the window was not minimised: a minimised window's frame is its icon.
    mutable FrameMargins m_margins;
    WindowRect NormalRect() const;
    void TraceWindowState(const std::string& text);
    void ReportWriteFailure(const Status& status);

    MainWindowContext m_context;
    bool m_exitRequested = false;
    bool m_exitCompleted = false;
    bool m_unattended = false;
    WindowState m_lastWindowState = WindowState::Normal;
    WindowState m_initialState = WindowState::Normal;
    // Made before the tabs and the status panels that follow it; the destructor lets them go first.
    ActiveScreensaverControl m_activeScreensaver;
    MainMenus m_menus;
    QTabWidget* PageControl1 = nullptr;
    TScreensaversTab* m_screensaversTab = nullptr;
    TEventSchedulerTab* m_schedulerTab = nullptr;
    TOptionsTab* m_optionsTab = nullptr;
    StatusPanels* m_statusPanels = nullptr;
    QTimer* m_statusTimer = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr; // shown while the window is hidden
    bool m_noTrayTold = false;
    std::unique_ptr<UpdateCheck> m_updateCheck;
};

} // namespace kelvane::ui
