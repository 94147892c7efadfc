#include "ui/frmMain_unit.h"

#include "common/AppIdentity.h"
#include "common/Clock.h"
#include "common/RegionalDateTime.h"
#include "common/StatusBarText.h"
#include "platform/AutostartEntry.h"
#include "platform/DebugOutput.h"
#include "platform/RegionalSettings.h"
#include "platform/ScreensaverCatalogue.h"
#include "platform/ScreensaverDaemon.h"
#include "platform/ScreensaverSetting.h"
#include "platform/StatusNotices.h"
#include "program/ProgramData.h"
#include "settings/SettingsFile.h"
#include "settings/WindowPlacement.h"
#include "ui/AppIcon.h"
#include "ui/PageControl.h"
#include "ui/StatusPanel.h"
#include "ui/UserMessages.h"
#include "ui/options/OptionsTab.h"
#include "ui/scheduler/EventSchedulerTab.h"
#include "ui/screensavers/ScreensaversTab.h"
#include "ui/update/UpdateCheck.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <optional>

namespace kelvane::ui {
namespace {

QRect ToQRect(const WindowRect& rect)
{
    return {rect.Left, rect.Top, rect.Width, rect.Height};
}

WindowRect FromQRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

// The screens as they are now, each by the area windows may use.
ScreenAreas CurrentScreens()
{
    ScreenAreas screens;
    const QList<QScreen*> all = QGuiApplication::screens();
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] == QGuiApplication::primaryScreen()) {
            screens.Primary = static_cast<size_t>(i);
        }
        screens.Available.push_back(FromQRect(all[i]->availableGeometry()));
    }
    return screens;
}

} // namespace

TfrmMain::TfrmMain(const MainWindowContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context),
      m_activeScreensaver(context.Setting, context.DesktopShell, context.Processes)
{
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    setWindowIcon(AppIcon());
    m_menus = BuildMainMenus(this);
    BuildStatusBar();
    m_trayIcon = new QSystemTrayIcon(AppIcon(), this);
    m_trayIcon->setToolTip(QString::fromUtf8(ApplicationTitle));
    m_trayIcon->setContextMenu(m_menus.trayPopupMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            BringTheWindowUp();
        }
    });

    ProgramData& program = m_context.Data;
    const auto showMessage = [this](const QString& text) { ShowMessage(text); };
    PageControl1 = new TPageControl(this);
    m_screensaversTab = new TScreensaversTab(
        {program, m_activeScreensaver, context.DesktopShell, context.Messages, showMessage,
         [this](const QString& text) {
             if (m_statusPanels->At(StatusPanels::Message)->text() == text) {
                 ShowMessage(QString());
             }
         },
         [this] { RefreshRotationPanel(); }, context.Programs, context.Preview,
         QString::fromStdString(context.EmptyListHint), QString::fromStdString(context.PreviewOwnWindowNote)});
    if (context.Notices) {
        // After the event that caused it has shown its own text (the active screensaver's, for one).
        context.Notices->SetListener([this](const std::string& text) {
            // The status bar keeps only the latest message: the trace keeps every one.
            m_context.Debug.Write("Notice: " + text);
            QMetaObject::invokeMethod(
                this, [this, shown = QString::fromStdString(text)] { ShowMessage(shown); }, Qt::QueuedConnection);
        });
    }
    m_schedulerTab = new TEventSchedulerTab({program, m_activeScreensaver, context.DesktopShell, context.Messages,
                                             context.LocalClock, context.Zone, context.Regional,
                                             [this] { return m_screensaversTab->PickRowForNewEvent(); }, showMessage});
    m_optionsTab = new TOptionsTab(
        {program, context.Messages, [this](int32_t seconds) { m_schedulerTab->SetTolerance(seconds); }});
    PageControl1->addTab(m_screensaversTab, TabIcon(TabPicture::Screensavers), QStringLiteral("Screensavers"));
    PageControl1->addTab(m_schedulerTab, TabIcon(TabPicture::EventScheduler), QStringLiteral("Event Scheduler"));
    PageControl1->addTab(m_optionsTab, TabIcon(TabPicture::Options), QStringLiteral("Options"));
    setCentralWidget(PageControl1);

    FormCreate();
    ConnectMenus();
    OfferDaemonStart();
    ShowStartOptions();
}

TfrmMain::~TfrmMain()
{
    if (m_context.Notices) {
        m_context.Notices->SetListener({});
    }
    // The tabs' scan workers and models use the program's data, which outlives the window.
    delete PageControl1;
    m_screensaversTab = nullptr;
    m_schedulerTab = nullptr;
    m_optionsTab = nullptr;
    // The panels follow the active screensaver, a member of this window, which goes before the window's
    // child widgets would.
    delete m_statusPanels;
    m_statusPanels = nullptr;
}

void TfrmMain::BuildStatusBar()
{
    // Panel 0 is measured over its longest text, every field at two digits of one kind, since digits
    // need not be equally wide.
    const QString longest = QString::fromStdString(RotationStatusText(false, std::to_string(MaxRotationInterval)));
    QStringList rotationSamples;
    for (QChar digit = u'0'; digit <= u'9'; digit = QChar(digit.unicode() + 1)) {
        QString sample = longest;
        for (QChar& c : sample) {
            c = c.isDigit() ? digit : c;
        }
        rotationSamples.append(sample);
    }
    m_statusPanels = new StatusPanels(rotationSamples, m_activeScreensaver, this);
    statusBar()->addWidget(m_statusPanels, 1);
    m_statusTimer = new QTimer(this);
    m_statusTimer->setObjectName(QStringLiteral("statusTimer"));
    m_statusTimer->setInterval(500);
    connect(m_statusTimer, &QTimer::timeout, this, &TfrmMain::RefreshStatusBar);
}

void TfrmMain::FormCreate()
{
    ProgramData& program = m_context.Data;
    program.LoadListFiles(m_context.Setting.WindowsFolder(),
                          m_context.Programs ? m_context.Programs->ProgramFolder() : std::string());
    m_screensaversTab->ShowLoadedLists();
    m_activeScreensaver.GetActiveScreenSaverForDisplay();
    program.LoadEventTable();
    m_schedulerTab->ShowLoadedEvents();
    ReportStartProblems();
    // One read of the settings file serves every part of the window that the start reads from it.
    std::optional<IniValues> readHere;
    const IniValues& stored =
        m_context.StoredSettings ? *m_context.StoredSettings : readHere.emplace(ReadIniValues(program.SettingsFile()));
    m_context.StoredSettings = nullptr; // the start's own: later loads read the file as it is then
    LoadWindowSettings(stored);

    TraceWindowState("Loading settings");
    program.LoadSettings(stored);
    if (program.Flags().Startup) {
        // An entry that an older version wrote for this program keeps starting it, in today's spelling.
        m_context.Autostart.RenewAutostart(QCoreApplication::applicationFilePath().toStdString());
    }
    program.AddLogStartupHeader(FormatRegionalDateTime(m_context.LocalClock.Now(), m_context.Regional.Read()));
    m_schedulerTab->ApplySettings();
    m_screensaversTab->ApplySettings();
    m_optionsTab->ApplySettings();
    LoadColumnWidths(stored, m_initialState == WindowState::Maximized);
    // The state before any change between normal and maximised; never the minimised one.
    m_lastWindowState = m_initialState == WindowState::Maximized ? WindowState::Maximized : WindowState::Normal;
}

void TfrmMain::ReportStartProblems()
{
    const std::vector<std::string>& problems = m_context.Data.StartProblems();
    if (problems.empty()) {
        return;
    }
    QString text = QStringLiteral("Kelvane found problems with its files at the start:");
    for (const std::string& problem : problems) {
        text += QStringLiteral("\r\n\r\n") + QString::fromStdString(problem);
    }
    // Once the program runs, over the shown window: a box inside the start would hold it up before it
    // takes requests.
    QMetaObject::invokeMethod(
        this, [this, text] { m_context.Messages.ShowError(this, text); }, Qt::QueuedConnection);
}

void TfrmMain::ShowStartOptions()
{
    const StartupFlags& flags = m_context.Data.Flags();
    const std::pair<QAction*, bool> items[] = {
        {m_menus.AutoRunatStartup1, flags.Startup},       {m_menus.TrayAutoRun, flags.Startup},
        {m_menus.MinimizetoSystemTray1, flags.MinToTray}, {m_menus.TrayMinimizeToTray, flags.MinToTray},
        {m_menus.StartMinimized1, flags.StartMin},        {m_menus.TrayStartMinimized, flags.StartMin},
        {m_menus.StartMaximized1, flags.StartMax},        {m_menus.TrayStartMaximized, flags.StartMax},
    };
    for (const auto& [action, checked] : items) {
        action->setChecked(checked);
    }
    const EventLog& log = m_context.Data.Log();
    m_menus.loggingEnabled->setChecked(log.LogIsOn);
    m_menus.SaveLogtoDisk->setChecked(log.SaveLog);
    m_menus.UpdateNotifications->setChecked(m_context.Data.Settings().UpdatesNotify);
}

void TfrmMain::OfferDaemonStart()
{
    platform::ScreensaverDaemon* daemon = m_context.Daemon;
    if (!daemon) {
        return;
    }
    connect(m_menus.StartDaemon, &QAction::triggered, this, [this, daemon] {
        daemon->Start();
        m_menus.StartDaemon->setVisible(false);
        ShowMessage(QStringLiteral("XScreenSaver is starting for this session"));
        if (m_context.Messages.Confirm(this, QStringLiteral("Start XScreenSaver"),
                                       QStringLiteral("Start XScreenSaver with every session from now on?"))) {
            if (const Status set = daemon->StartWithEverySession(); !set) {
                ShowMessage(QString::fromStdString(set.message()));
            }
        }
    });
    // The answer comes later: the window goes on meanwhile, and may be gone by then.
    daemon->CheckRunning([window = QPointer<TfrmMain>(this)](bool running) {
        if (window && !running) {
            window->m_menus.StartDaemon->setVisible(true);
            window->ShowMessage(QStringLiteral("XScreenSaver is not running: start it from the Screensavers menu"));
        }
    });
}

void TfrmMain::ConnectMenus()
{
    const MainMenus& m = m_menus;
    for (QAction* exit : {m.Exit1, m.TrayExit}) {
        connect(exit, &QAction::triggered, this, &TfrmMain::Exit1Click);
    }
    connect(m.ShowWindow1, &QAction::triggered, this, &TfrmMain::BringTheWindowUp);
    connect(m.ScreensaverSettings, &QAction::triggered, this,
            [this] { m_context.DesktopShell.OpenScreensaverControlPanel(); });
    connect(m.RunScreensaver, &QAction::triggered, this, [this] { m_activeScreensaver.RunActiveScreensaver(); });
    connect(m.LoadFromDiskFile, &QAction::triggered, m_screensaversTab, &TScreensaversTab::LoadFromDiskFileClick);
    connect(m.ExportToDiskFile, &QAction::triggered, m_screensaversTab, &TScreensaversTab::ExportToDiskFileClick);

    StartupFlags& flags = m_context.Data.Flags();
    const auto toggle = [this](const std::function<void()>& change) {
        return [this, change] {
            change();
            ShowStartOptions();
        };
    };
    for (QAction* item : {m.AutoRunatStartup1, m.TrayAutoRun}) {
        // The option follows the entry as it is, not the wish: a write that fails leaves both as they were.
        connect(item, &QAction::triggered, this, toggle([this, &flags] {
                    const bool wanted = !flags.Startup;
                    const Status done =
                        wanted
                            ? m_context.Autostart.EnableAutostart(QCoreApplication::applicationFilePath().toStdString())
                            : m_context.Autostart.DisableAutostart();
                    if (done) {
                        flags.Startup = wanted;
                    } else {
                        ShowMessage(QString::fromStdString(done.message()));
                    }
                }));
    }
    for (QAction* item : {m.MinimizetoSystemTray1, m.TrayMinimizeToTray}) {
        connect(item, &QAction::triggered, this, toggle([&flags] { flags.MinToTray = !flags.MinToTray; }));
    }
    for (QAction* item : {m.StartMinimized1, m.TrayStartMinimized}) {
        connect(item, &QAction::triggered, this, toggle([&flags] { ToggleStartMinimized(flags); }));
    }
    for (QAction* item : {m.StartMaximized1, m.TrayStartMaximized}) {
        connect(item, &QAction::triggered, this, toggle([&flags] { ToggleStartMaximized(flags); }));
    }
    EventLog& log = m_context.Data.Log();
    connect(m.loggingEnabled, &QAction::triggered, this, toggle([this, &log] {
                log.LogIsOn = !log.LogIsOn;
                m_schedulerTab->ShowLogPanel(log.LogIsOn);
            }));
    connect(m.SaveLogtoDisk, &QAction::triggered, this, toggle([&log] { log.SaveLog = !log.SaveLog; }));
    // "Update Notifications" belongs to the update check (ui/update/UpdateCheck.cpp).
}

void TfrmMain::RefreshStatusBar()
{
    if (!m_schedulerTab) {
        return; // still being built
    }
    RefreshRotationPanel();
    m_statusPanels->Show(StatusPanels::Scheduling, QString::fromStdString(m_schedulerTab->SchedulingStatus()));
}

void TfrmMain::RefreshRotationPanel()
{
    if (m_screensaversTab) {
        m_statusPanels->Show(StatusPanels::Rotation, QString::fromStdString(m_screensaversTab->RotationStatus()));
    }
}

void TfrmMain::ShowMessage(const QString& text)
{
    if (!m_statusPanels) {
        return; // the window is going
    }
    m_statusPanels->Show(StatusPanels::Message, text);
}

void TfrmMain::LoadColumnWidths(const IniValues& stored, bool maximized)
{
    m_schedulerTab->SetColumnWidths(ReadColumnWidths(stored, maximized, m_schedulerTab->ColumnWidths()));
}

Status TfrmMain::SaveColumnWidths(bool maximized)
{
    return WriteColumnWidths(m_context.Data.SettingsFile(), maximized, m_schedulerTab->ColumnWidths());
}

void TfrmMain::LoadWindowSettings(const IniValues& stored)
{
    ScreenSize screen;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screen = {primary->size().width(), primary->size().height()};
    }
    const WindowSettings window = ReadWindowSettings(stored, screen);
    m_context.Data.Flags() = window.Flags;
    PlaceFrame(window.Rect);
    m_initialState = window.State;
}

void TfrmMain::ShowAtStart()
{
    if (m_context.Data.Flags().StartMin) {
        // Starts hidden, to be brought up from the tray or by a second start.
        setWindowState(Qt::WindowMinimized);
        if (!HideToTray()) {
            showMinimized();
        }
        return;
    }
    switch (m_initialState) {
    case WindowState::Maximized:
        showMaximized();
        break;
    case WindowState::Minimized:
        showMinimized();
        break;
    case WindowState::Normal:
        show();
        break;
    }
}

void TfrmMain::BringTheWindowUp()
{
    TraceWindowState("Before showing window");
    if (!isVisible()) {
        // Taken before the window passes through the normal state on its way back.
        const bool returnMaximized = m_context.Data.Flags().StartMax || m_lastWindowState == WindowState::Maximized;
        const WindowRect stored = ReadWindowRect(ReadIniValues(m_context.Data.SettingsFile()), NormalRect());
        setWindowState(Qt::WindowNoState);
        PlaceFrame(stored);
        m_trayIcon->hide();
        show();
        raise();
        activateWindow();
        QCoreApplication::processEvents();
        if (returnMaximized) {
            showMaximized();
        }
    }
    TraceWindowState("After showing window");
}

void TfrmMain::Exit1Click()
{
    if (m_exitRequested) {
        return; // the exit already runs, or has run
    }
    m_exitRequested = true;
    m_screensaversTab->PrepareForExit();
    m_schedulerTab->PrepareForExit();
    close();
}

void TfrmMain::EndSession()
{
    // Nobody may be there to click a message box away: failures go to the error output.
    m_unattended = true;
    Exit1Click();
    if (!m_exitCompleted) {
        // The window did not take the close (it was never shown, say): the sequence runs all the same.
        m_screensaversTab->StopScans();
        FormClose();
        m_exitCompleted = true;
        Q_EMIT exitCompleted();
    }
}

void TfrmMain::SaveSession()
{
    if (!m_exitCompleted) {
        // The session manager asks for the user's data now; the program keeps running.
        ReportSaveFailures(SaveAll(), true);
    }
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (m_exitCompleted) {
        event->accept();
        return;
    }
    // No list may be written, nor the window hidden, while a worker can still add rows.
    m_screensaversTab->StopScans();
    if (!m_exitRequested) {
        event->ignore();
        HideToTray();
        ApplicationEvents1Minimize();
        return;
    }
    FormClose();
    m_exitCompleted = true;
    event->accept();
    Q_EMIT exitCompleted();
}

void TfrmMain::FormClose()
{
    ReportSaveFailures(SaveAll(), m_unattended);
}

QStringList TfrmMain::SaveAll()
{
    TraceWindowState("Saving settings");
    QStringList failures;
    for (const std::string& failure :
         m_context.Data.SaveAll({CurrentWindowState(), NormalRect(), isMaximized(), m_schedulerTab->ColumnWidths()})) {
        failures << QString::fromStdString(failure);
    }
    return failures;
}

void TfrmMain::ReportSaveFailures(const QStringList& failures, bool unattended)
{
    if (failures.isEmpty()) {
        return;
    }
    const QString text =
        QStringLiteral("Kelvane could not save everything:\r\n\r\n") + failures.join(QStringLiteral("\r\n"));
    if (unattended) {
        std::fprintf(stderr, "%s: %s\n", ApplicationTitle, text.toUtf8().constData());
    } else {
        m_context.Messages.ShowError(this, text);
    }
}

void TfrmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    RestStatusBarWhileUnseen();
    if (isMinimized()) {
        // The user minimised a shown window: keep its placement, and go to the tray when so set.
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (isVisible() && !(change->oldState() & Qt::WindowMinimized)) {
            // After the minimise has run its course: a hide inside it would be undone by its own show.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (isMinimized()) { // not restored in the meantime
                        ApplicationEvents1Minimize();
                    }
                },
                Qt::QueuedConnection);
        }
        return;
    }
    const WindowState now = CurrentWindowState();
    if (now != m_lastWindowState) {
        // Each state keeps its own column widths: the set being left is saved, the other one comes in.
        const bool toMaximized = now == WindowState::Maximized;
        if (toMaximized || m_lastWindowState == WindowState::Maximized) {
            ReportWriteFailure(SaveColumnWidths(!toMaximized));
            LoadColumnWidths(ReadIniValues(m_context.Data.SettingsFile()), toMaximized);
        }
    }
    m_lastWindowState = now;
}

void TfrmMain::ApplicationEvents1Minimize()
{
    if (m_lastWindowState == WindowState::Normal) {
        ReportWriteFailure(WriteWindowPlacement(m_context.Data.SettingsFile(), WindowState::Normal, NormalRect()));
    }
    setWindowState(windowState() | Qt::WindowMinimized);
    if (m_context.Data.Flags().MinToTray) {
        HideToTray();
    }
}

bool TfrmMain::TrayAvailable() const
{
    return m_context.TrayAvailable ? m_context.TrayAvailable() : QSystemTrayIcon::isSystemTrayAvailable();
}

bool TfrmMain::HideToTray()
{
    if (!TrayAvailable()) {
        // A hidden window without a tray icon could only come back through a second start.
        if (!m_noTrayTold) {
            m_noTrayTold = true;
            ShowMessage(QStringLiteral("No system tray on this desktop: Kelvane stays on the taskbar"));
        }
        return false;
    }
    m_trayIcon->show();
    hide();
    return true;
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    RestStatusBarWhileUnseen();
    FormShow();
}

void TfrmMain::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    RestStatusBarWhileUnseen();
}

void TfrmMain::RestStatusBarWhileUnseen()
{
    const bool seen = isVisible() && !isMinimized();
    if (seen && !m_statusTimer->isActive()) {
        RefreshStatusBar();
        m_statusTimer->start();
    } else if (!seen) {
        m_statusTimer->stop();
    }
}

WindowState TfrmMain::CurrentWindowState() const
{
    if (isMinimized()) {
        return WindowState::Minimized;
    }
    return isMaximized() ? WindowState::Maximized : WindowState::Normal;
}

FrameMargins TfrmMain::Margins() const
{
    if (!windowHandle() || isMinimized()) {
        return m_margins;
    }
    // Qt leaves out the borders that Windows 10 draws invisible, but the system's placement, and the
    // work area a window must fit, count them.
    if (const auto system = m_context.WindowFrame ? m_context.WindowFrame(windowHandle()->winId()) : std::nullopt) {
        const qreal scale = devicePixelRatioF();
        m_margins = {qRound(system->Left / scale), qRound(system->Top / scale), qRound(system->Right / scale),
                     qRound(system->Bottom / scale)};
    } else {
        const QMargins margins = windowHandle()->frameMargins();
        m_margins = {margins.left(), margins.top(), margins.right(), margins.bottom()};
    }
    return m_margins;
}

void TfrmMain::PlaceFrame(const WindowRect& frame)
{
    // The native window, and with it the size of the frame the window system draws, exists from here on.
    winId();
    const FrameMargins margins = Margins();
    const QSize smallest = minimumSize().expandedTo(minimumSizeHint());
    const WindowRect fitted = FitFrameOnScreen(frame, CurrentScreens(), margins, {smallest.width(), smallest.height()});
    setGeometry(ToQRect(ClientRectOf(fitted, margins)));
}

WindowRect TfrmMain::NormalRect() const
{
    // The frame the window has, or would have, when neither minimised nor maximised.
    const QRect normal = (isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
    return FrameRectOf(FromQRect(normal.isValid() ? normal : geometry()), Margins());
}

void TfrmMain::TraceWindowState(const std::string& text)
{
    m_context.Debug.Write(WindowStateTrace(text, CurrentWindowState(), FrameRectOf(FromQRect(geometry()), Margins())));
}

void TfrmMain::ReportWriteFailure(const Status& status)
{
    if (!status) {
        m_context.Messages.ShowError(this, QString::fromStdString(status.message()));
    }
}

void TfrmMain::ConnectUpdateCheck(const UpdateContext& context)
{
    m_updateCheck = std::make_unique<UpdateCheck>(
        context, UpdateCheck::WindowParts{
                     m_menus.UpdateNotifications, [this](bool on) { m_context.Data.Settings().UpdatesNotify = on; },
                     [this](const QString& text) { ShowMessage(text); },
                     [this](const std::string& line) { m_context.Debug.Write(line); },
                     [this] { return FormatRegionalDateTime(m_context.LocalClock.Now(), m_context.Regional.Read()); }});
    if (isVisible()) {
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    if (m_updateCheck) {
        m_updateCheck->FormShow();
    }
}

} // namespace kelvane::ui
