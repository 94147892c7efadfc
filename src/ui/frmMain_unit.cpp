#include "ui/frmMain_unit.h"

#include "app/AppIdentity.h"
#include "common/Clock.h"
#include "common/FileIO.h"
#include "common/RegionalDateTime.h"
#include "common/RegionalSettings.h"
#include "common/StatusBarText.h"
#include "library/ListFiles.h"
#include "platform/DebugOutput.h"
#include "scheduler/EventsFile.h"
#include "scheduler/NextEvent.h"
#include "ui/AppIcon.h"
#include "ui/EventListModel.h"
#include "ui/IntervalSpinBox.h"
#include "ui/ScreensaverListModel.h"
#include "ui/StatusPanel.h"
#include "ui/ToleranceHelp.h"
#include "ui/UserMessages.h"
#include "ui/frmMainUpdates.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <filesystem>

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

// The lines as one text for a multi-line box.
template <typename Lines>
QString JoinLines(const Lines& lines)
{
    QStringList joined;
    for (const std::string& line : lines) {
        joined << QString::fromStdString(line);
    }
    return joined.join(u'\n');
}

} // namespace

TfrmMain::TfrmMain(const MainWindowContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context),
      m_activeScreensaver(context.Setting, context.DesktopShell, context.Processes,
                          {[this](const std::string& text) {
                               const QString shown = QString::fromStdString(text);
                               m_messagePanel->setText(shown);
                               statusBar()->setToolTip(shown);
                           },
                           [this] {
                               if (m_screensaverModel) {
                                   m_screensaverModel->Redraw();
                               }
                           }}),
      m_iconCache(context.Icons), m_screensavers(m_iconCache),
      m_folderEncoding(DefaultListFileEncoding()), m_eventActions{m_log, m_activeScreensaver, context.DesktopShell,
                                                                  [this] { return m_screensavers.Paths(); }},
      m_engine(
          m_events, m_log, {context.LocalClock, context.Zone, context.Regional},
          [this](const ScheduledEvent& row) { RunEventProcedure(row, m_eventActions); },
          [this](const std::string& problem) { m_context.Messages.ShowError(this, QString::fromStdString(problem)); })
{
    m_controls = BuildMainWindowLayout(this);
    m_menus = BuildMainMenus(this);
    setWindowIcon(AppIcon());
    m_trayIcon = new QSystemTrayIcon(AppIcon(), this);
    m_trayIcon->setToolTip(QString::fromUtf8(ApplicationTitle));
    m_trayIcon->setContextMenu(m_menus.trayPopupMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            BringTheWindowUp();
        }
    });
    m_screensaverModel = new ScreensaverListModel(
        m_screensavers, [this] { return m_activeScreensaver.ActiveScreensaverText(); }, this);
    m_controls.SSListBox->setModel(m_screensaverModel);
    m_controls.SSListBox->header()->resizeSection(0, 28);
    m_controls.SSListBox->header()->setStretchLastSection(true);
    m_eventModel = new EventListModel(m_events, this);
    m_controls.eventListViewII->setModel(m_eventModel);
    for (int column = 0; column < EventListModel::ColumnCount; ++column) {
        m_controls.eventListViewII->header()->resizeSection(column, EventColumnWidths[column]);
    }
    m_controls.eventListViewII->setColumnHidden(8, true); // "Minutes"
    m_log.OnLineAdded = [this](size_t dropped, const std::string& line) { ShowLogLine(dropped, line); };
    // The first two panels are as wide as their usual texts; the message panel takes the rest.
    m_rotationPanel =
        new StatusPanel(QStringLiteral("Auto Rotate: OFF | Interval: 0 days, 0 hours, 0 minutes, 0 seconds"), this);
    m_schedulingPanel = new StatusPanel(
        QStringLiteral("Next Event: Ribbons in: 0 Day(s), 00 Hour(s), 00 Minute(s), and 00 Second(s)"), this);
    m_messagePanel = new StatusPanel(QString(), this);
    m_messagePanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(m_rotationPanel);
    statusBar()->addWidget(m_schedulingPanel);
    statusBar()->addWidget(m_messagePanel, 1);
    m_statusTimer = new QTimer(this);
    m_statusTimer->setObjectName(QStringLiteral("statusTimer"));
    m_statusTimer->setInterval(500);
    connect(m_statusTimer, &QTimer::timeout, this, &TfrmMain::RefreshStatusBar);
    m_evtTimer = new QTimer(this);
    m_evtTimer->setObjectName(QStringLiteral("evtTimer"));
    m_evtTimer->setInterval(5000);
    connect(m_evtTimer, &QTimer::timeout, this, &TfrmMain::evtTimerTimer);
    m_switchTimer = new QTimer(this);
    m_switchTimer->setObjectName(QStringLiteral("switchTimer"));
    m_switchTimer->setInterval(60000);
    connect(m_switchTimer, &QTimer::timeout, this, &TfrmMain::switchTimerTimer);
    FormCreate();
    ConnectControls();
    ConnectMenus();
    ConnectEventEditor();
    eventListViewIISelectItem(); // the first row, selected at creation
    ConnectStyleBox();
    ShowStartOptions();
}

TfrmMain::~TfrmMain()
{
    // The model watches the list, which goes before the window's children do.
    m_scans.StopAll();
    m_controls.SSListBox->setModel(nullptr);
    delete m_screensaverModel;
}

std::string TfrmMain::SettingsFile() const
{
    return SettingsFileName(m_context.DataFolder);
}

void TfrmMain::FormCreate()
{
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    m_exitRequested = false;
    LoadListFiles();
    m_activeScreensaver.GetActiveScreenSaverForDisplay();
    LoadEventTable();
    m_eventModel->Reload();
    if (m_events.SelectedIndex == 0) {
        m_controls.eventListViewII->setCurrentIndex(m_eventModel->index(0, 0));
    }
    m_rotation = {-1, static_cast<int32_t>(m_screensavers.Count())};
    LoadWindowSettings();
    LoadSettings();
    // The state before any change between normal and maximised; never the minimised one.
    m_lastWindowState = m_initialState == WindowState::Maximized ? WindowState::Maximized : WindowState::Normal;
}

void TfrmMain::ConnectControls()
{
    const MainWindowLayout& c = m_controls;
    connect(c.findButton, &QPushButton::clicked, this, &TfrmMain::findButtonClick);
    connect(c.addFolderButton, &QPushButton::clicked, this, [this] {
        if (m_exitRequested) {
            return;
        }
        const QString folder = QFileDialog::getExistingDirectory(this);
        if (!folder.isEmpty()) {
            ScanAddedFolder(QDir::toNativeSeparators(folder).toStdString());
        }
    });
    connect(c.addScreenSaverButton, &QPushButton::clicked, this, [this] {
        const QStringList files =
            QFileDialog::getOpenFileNames(this, QString(), QString(), QStringLiteral("Screensaver files (*.scr)"));
        for (const QString& file : files) {
            m_screensavers.AddScreensaverRow(QDir::toNativeSeparators(file).toStdString());
        }
    });
    connect(c.foldersMemo, &QPlainTextEdit::textChanged, this, [this] {
        const QStringList lines = m_controls.foldersMemo->toPlainText().split(u'\n');
        m_folderLines.clear();
        for (const QString& line : lines) {
            m_folderLines.push_back(line.toStdString());
        }
    });

    const auto run = [this](SelectionNeed need) {
        if (const auto path = PathForAction(need, SelectedPaths())) {
            m_context.DesktopShell.RunScreensaverFile(*path);
        }
    };
    connect(c.runButton, &QPushButton::clicked, this, [run] { run(SelectionNeed::AtLeastOne); });
    connect(c.SSListBox, &QAbstractItemView::doubleClicked, this, [run] { run(SelectionNeed::AtLeastOne); });
    connect(c.setActiveButton, &QPushButton::clicked, this, [this] {
        if (const auto path = PathForAction(SelectionNeed::ExactlyOne, SelectedPaths())) {
            m_activeScreensaver.ActivateScreensaver(*path);
        }
    });
    connect(c.setNoneButton, &QPushButton::clicked, this, [this] { m_activeScreensaver.SetNone(); });
    connect(c.setBlankButton, &QPushButton::clicked, this, [this] { m_activeScreensaver.SetBlank(); });

    const auto listOperation = [this](void (ScreensaverList::*operation)()) {
        return [this, operation] {
            SyncSelectionToList();
            (m_screensavers.*operation)();
            ShowList();
        };
    };
    connect(c.upButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedUp));
    connect(c.downButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedDown));
    connect(c.topButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedToTop));
    connect(c.bottomButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedToBottom));
    connect(c.removeButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::DeleteSelectedRows));

    connect(c.autoSwitchCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.SwitchEnabled = on;
        on ? m_switchTimer->start() : m_switchTimer->stop();
        RefreshStatusBar();
    });
    // Every text the box passes through counts, an emptied one as 0, so a value below the least one is
    // told and refused rather than silently corrected.
    c.IntervalBox->WatchEveryValue(this, [this](qint64 seconds) { ApplyInterval(seconds); });
    connect(c.ActionBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_settings.Action = index == 0 ? RotationAction::Run : RotationAction::ActivateOnly; });
    connect(c.PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 2) {
            TabSheet3Show(m_controls.toleranceHelp);
        }
    });
    connect(c.toleranceSpinEdit, &QSpinBox::valueChanged, this, [this](int value) {
        m_settings.ToleranceSeconds = value;
        m_evtTimer->setInterval(EventTimerPeriodMs(value));
    });
}

void TfrmMain::ApplyInterval(int64_t seconds)
{
    const IntervalChange change = IntervalBoxChange(seconds);
    if (change.Status) {
        m_messagePanel->setText(QString::fromStdString(*change.Status));
    }
    if (change.TimerMs) {
        m_settings.Interval = static_cast<int32_t>(*change.TimerMs / 1000);
        if (m_switchTimer->interval() != *change.TimerMs) {
            m_switchTimer->setInterval(*change.TimerMs);
        }
        RefreshStatusBar();
    }
    if (change.Warning) {
        m_context.Messages.ShowWarning(this, QString::fromStdString(*change.Warning));
    }
}

void TfrmMain::ConnectScreensaverFileItems(const ScreensaverFileItems& items,
                                           const std::function<std::optional<std::string>()>& selectedPath)
{
    const auto onPath = [this, selectedPath](QAction* action, std::function<void(const std::string&)> work) {
        connect(action, &QAction::triggered, this, [selectedPath, work] {
            if (const auto path = selectedPath()) {
                work(*path);
            }
        });
    };
    platform::Shell* shell = &m_context.DesktopShell; // lives as long as the window
    onPath(items.Run, [shell](const std::string& path) { shell->RunScreensaverFile(path); });
    onPath(items.SetActive, [this](const std::string& path) { m_activeScreensaver.ActivateScreensaver(path); });
    onPath(items.ShowInFolder, [shell](const std::string& path) { shell->ShowFileInFolder(path); });
    onPath(items.ShowFileProperties, [shell](const std::string& path) { shell->ShowFileProperties(path); });
    onPath(items.CopyFilepath, [shell](const std::string& path) { shell->CopyPathToClipboard(path); });
    onPath(items.Options, [shell](const std::string& path) { shell->ConfigureScreensaverFile(path); });
    connect(items.Settings, &QAction::triggered, this, [shell] { shell->OpenScreensaverControlPanel(); });
}

void TfrmMain::ShowStartOptions()
{
    const std::pair<QAction*, bool> items[] = {
        {m_menus.AutoRunatStartup1, m_flags.Startup},       {m_menus.TrayAutoRun, m_flags.Startup},
        {m_menus.MinimizetoSystemTray1, m_flags.MinToTray}, {m_menus.TrayMinimizeToTray, m_flags.MinToTray},
        {m_menus.StartMinimized1, m_flags.StartMin},        {m_menus.TrayStartMinimized, m_flags.StartMin},
        {m_menus.StartMaximized1, m_flags.StartMax},        {m_menus.TrayStartMaximized, m_flags.StartMax},
    };
    for (const auto& [action, checked] : items) {
        action->setChecked(checked);
    }
    m_menus.loggingEnabled->setChecked(m_log.LogIsOn);
    m_menus.SaveLogtoDisk->setChecked(m_log.SaveLog);
    m_menus.UpdateNotifications->setChecked(m_settings.UpdatesNotify);
}

void TfrmMain::ConnectMenus()
{
    const MainMenus& m = m_menus;
    for (QAction* exit : {m.Exit1, m.TrayExit}) {
        connect(exit, &QAction::triggered, this, &TfrmMain::Exit1Click);
    }
    connect(m.ShowWindow1, &QAction::triggered, this, &TfrmMain::BringTheWindowUp);

    // The screensaver list's popup: every action but "Select All" works on exactly one selected row.
    m_controls.SSListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_controls.SSListBox, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_menus.SSPopupMenu->popup(m_controls.SSListBox->viewport()->mapToGlobal(at));
    });
    ConnectScreensaverFileItems(m.SSFileItems,
                                [this] { return PathForAction(SelectionNeed::ExactlyOne, SelectedPaths()); });
    connect(m.DeleteSelected, &QAction::triggered, this, [this] {
        SyncSelectionToList();
        m_screensavers.DeleteSelectedRows();
        ShowList();
    });
    connect(m.SelectAll, &QAction::triggered, this, [this] { m_controls.SSListBox->selectAll(); });

    // The events list's popup works on the selected event's screensaver, and only with one event selected.
    m_controls.eventListViewII->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_controls.eventListViewII, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_menus.EventPopupMenu->popup(m_controls.eventListViewII->viewport()->mapToGlobal(at));
    });
    ConnectScreensaverFileItems(m.EventFileItems, [this]() -> std::optional<std::string> {
        const QModelIndexList selected = m_controls.eventListViewII->selectionModel()->selectedRows();
        if (selected.size() != 1) {
            return std::nullopt;
        }
        return m_events.Rows.at(static_cast<size_t>(selected.front().row())).Screensaver;
    });
    connect(m.ScreensaverSettings, &QAction::triggered, this,
            [this] { m_context.DesktopShell.OpenScreensaverControlPanel(); });
    connect(m.RunScreensaver, &QAction::triggered, this, [this] { m_activeScreensaver.RunActiveScreensaver(); });
    connect(m.LoadFromDiskFile, &QAction::triggered, this, [this] {
        const QStringList files =
            QFileDialog::getOpenFileNames(this, QString(), QString(), QStringLiteral("Text file (*.txt)"));
        if (files.isEmpty()) {
            return;
        }
        std::vector<std::string> paths;
        for (const QString& file : files) {
            paths.push_back(file.toStdString());
        }
        m_screensavers.ImportListFiles(paths);
    });
    connect(m.ExportToDiskFile, &QAction::triggered, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("Save as (*.txt)"),
                                                          nullptr, QFileDialog::DontConfirmOverwrite);
        if (!file.isEmpty()) {
            if (const Status saved = m_screensavers.SaveListToFile(file.toStdString()); !saved) {
                m_context.Messages.ShowError(this, QString::fromStdString(saved.message()));
            }
        }
    });
    const auto toggle = [this](const std::function<void()>& change) {
        return [this, change] {
            change();
            ShowStartOptions();
        };
    };
    for (QAction* item : {m.AutoRunatStartup1, m.TrayAutoRun}) {
        connect(item, &QAction::triggered, this, toggle([this] {
                    m_flags.Startup = !m_flags.Startup;
                    if (m_flags.Startup) {
                        m_context.Autostart.EnableAutostart(QCoreApplication::applicationFilePath().toStdString());
                    } else {
                        m_context.Autostart.DisableAutostart();
                    }
                }));
    }
    for (QAction* item : {m.MinimizetoSystemTray1, m.TrayMinimizeToTray}) {
        connect(item, &QAction::triggered, this, toggle([this] { m_flags.MinToTray = !m_flags.MinToTray; }));
    }
    for (QAction* item : {m.StartMinimized1, m.TrayStartMinimized}) {
        connect(item, &QAction::triggered, this, toggle([this] { ToggleStartMinimized(m_flags); }));
    }
    for (QAction* item : {m.StartMaximized1, m.TrayStartMaximized}) {
        connect(item, &QAction::triggered, this, toggle([this] { ToggleStartMaximized(m_flags); }));
    }
    connect(m.loggingEnabled, &QAction::triggered, this, toggle([this] {
                m_log.LogIsOn = !m_log.LogIsOn;
                m_controls.logPanel->setVisible(m_log.LogIsOn);
            }));
    connect(m.SaveLogtoDisk, &QAction::triggered, this, toggle([this] { m_log.SaveLog = !m_log.SaveLog; }));
    // "Update Notifications" belongs to the update check (frmMainUpdates.cpp).
}

void TfrmMain::RefreshStatusBar()
{
    const std::string next = SchedulingStatusText(
        m_evtTimer->isActive(), GetNextEventText(m_events.Rows, m_context.LocalClock, m_context.Regional.Read()));
    m_rotationPanel->setText(QString::fromStdString(
        RotationStatusText(m_settings.SwitchEnabled, m_controls.IntervalBox->text().toStdString())));
    m_schedulingPanel->setText(QString::fromStdString(next));
}

QString TfrmMain::StatusPanelText(int panel) const
{
    const QLabel* panels[] = {m_rotationPanel, m_schedulingPanel, m_messagePanel};
    return panels[panel]->text();
}

std::vector<int32_t> TfrmMain::ColumnWidths() const
{
    std::vector<int32_t> widths;
    for (int column = 0; column < EventListModel::ColumnCount; ++column) {
        widths.push_back(m_controls.eventListViewII->header()->sectionSize(column));
    }
    return widths;
}

void TfrmMain::LoadColumnWidths(bool maximized)
{
    const std::vector<int32_t> widths = ReadColumnWidths(SettingsFile(), maximized, ColumnWidths());
    for (int column = 0; column < EventListModel::ColumnCount; ++column) {
        m_controls.eventListViewII->header()->resizeSection(column, widths[static_cast<size_t>(column)]);
    }
}

Status TfrmMain::SaveColumnWidths(bool maximized)
{
    return WriteColumnWidths(SettingsFile(), maximized, ColumnWidths());
}

void TfrmMain::SyncSelectionToList()
{
    const QModelIndexList selected = m_controls.SSListBox->selectionModel()->selectedRows();
    for (size_t row = 0; row < m_screensavers.Count(); ++row) {
        m_screensavers.SetSelected(row, false);
    }
    for (const QModelIndex& index : selected) {
        m_screensavers.SetSelected(static_cast<size_t>(index.row()), true);
    }
}

void TfrmMain::ShowList()
{
    QItemSelection selection;
    for (const size_t row : m_screensavers.SelectedRows()) {
        selection.select(m_screensaverModel->index(static_cast<int>(row), 0),
                         m_screensaverModel->index(static_cast<int>(row), 1));
    }
    m_controls.SSListBox->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

std::vector<std::string> TfrmMain::SelectedPaths()
{
    SyncSelectionToList();
    std::vector<std::string> paths;
    for (const size_t row : m_screensavers.SelectedRows()) {
        paths.push_back(m_screensavers.Rows()[row].Path);
    }
    return paths;
}

void TfrmMain::ShowLogLine(size_t dropped, const std::string& line)
{
    if (dropped > 0) {
        // The oldest lines went: the text is shown afresh, still scrolled to its newest line.
        m_controls.logMemo->setPlainText(JoinLines(m_log.Lines()));
        m_controls.logMemo->moveCursor(QTextCursor::End);
        m_controls.logMemo->ensureCursorVisible();
        return;
    }
    m_controls.logMemo->appendPlainText(QString::fromStdString(line));
}

void TfrmMain::LoadListFiles()
{
    // Errors are swallowed: the rows read before one stay.
    const std::string listFile = m_context.DataFolder + "ssList.txt";
    if (FileExists(listFile)) {
        (void)m_screensavers.LoadListFromFile(listFile);
    }
    const std::string windows = m_context.Setting.WindowsFolder();
    m_folderLines = {windows, windows + static_cast<char>(std::filesystem::path::preferred_separator) + "System32"};
    const std::string folderFile = m_context.DataFolder + "folderList.txt";
    if (FileExists(folderFile)) {
        if (auto read = ReadListFile(folderFile)) {
            m_folderLines = std::move(read).value().Lines;
            const ListFileText& text = read.value();
            m_folderEncoding = text.HadByteOrderMark ? text.Encoding : DefaultListFileEncoding();
        }
    }
    m_controls.foldersMemo->setPlainText(JoinLines(m_folderLines));
}

ScanSteps TfrmMain::MakeScanSteps()
{
    return {[this] {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                m_controls.findButton->setEnabled(false);
            },
            [this](const std::string& path) {
                m_messagePanel->setText(QStringLiteral("Processing: ") + QString::fromStdString(path));
                m_screensavers.AddScreensaverRow(path);
            },
            [this] {
                m_controls.findButton->setEnabled(true);
                QApplication::restoreOverrideCursor();
                m_isProcessing = false;
                m_activeScreensaver.GetActiveScreenSaverForDisplay();
            }};
}

void TfrmMain::findButtonClick()
{
    if (m_isProcessing || m_exitRequested) {
        return;
    }
    if (m_scans.Start(m_folderLines, MakeScanSteps(), m_criticalSection)) {
        m_isProcessing = true;
    }
}

void TfrmMain::ScanAddedFolder(const std::string& folder)
{
    if (m_exitRequested) {
        return; // the folder dialog outlived an exit request: the lists are written already
    }
    // The folder text stays the one source of the folder lines: the folder joins it as its last line,
    // taking the place of an empty last line.
    QPlainTextEdit* memo = m_controls.foldersMemo;
    const QString text = memo->toPlainText();
    QTextCursor end(memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText((text.isEmpty() || text.endsWith(u'\n') ? QString() : QStringLiteral("\n")) +
                   QString::fromStdString(folder));
    if (m_scans.Start({folder}, MakeScanSteps(), m_criticalSection)) {
        m_isProcessing = true;
    }
}

void TfrmMain::switchTimerTimer()
{
    RotationStep(m_rotation, m_screensavers.Paths(), m_settings.Action, m_activeScreensaver, m_context.DesktopShell);
}

void TfrmMain::LoadEventTable()
{
    const std::string file = EventsFileName(m_context.DataFolder);
    if (FileExists(file)) {
        // A damaged file loads what can be read, quietly; the developer's trace says what happened.
        const EventsLoadResult loaded = LoadEvents(file, m_events, m_context.Zone, m_context.Regional);
        if (loaded.Problem) {
            m_context.Debug.Write("Loading " + file + " stopped: " + *loaded.Problem +
                                  (loaded.BackupFile ? "; a copy is kept as " + *loaded.BackupFile : std::string()));
        }
    } else {
        CreateDefaultEvents(m_events, m_context.LocalClock, m_context.Regional);
    }
    m_events.SelectedIndex = m_events.Rows.empty() ? -1 : 0;
}

void TfrmMain::LoadWindowSettings()
{
    ScreenSize screen;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screen = {primary->size().width(), primary->size().height()};
    }
    const WindowSettings stored = ReadWindowSettings(SettingsFile(), screen);
    m_flags = stored.Flags;
    setGeometry(ToQRect(stored.Rect));
    m_initialState = stored.State;
}

void TfrmMain::LoadSettings()
{
    TraceWindowState("Loading settings");
    m_settings = ReadProgramSettings(SettingsFile(), m_settings.Action);
    m_log.MaxLogLines = m_settings.MaxLogLines;
    m_evtTimer->setInterval(EventTimerPeriodMs(m_settings.ToleranceSeconds));
    if (m_settings.EventTimerEnabled) {
        m_evtTimer->start();
    } else {
        m_evtTimer->stop();
    }
    m_controls.editor.allEventsOffCheckBox->setChecked(!m_settings.EventTimerEnabled);
    m_log.LogIsOn = m_settings.LogIsOn;
    m_log.SaveLog = m_settings.SaveLog;
    LoadEventLog();

    // The stored value goes through the arrows' range into the box, and then through the box's rules, so
    // that a stored maximum warns as a typed one does.
    m_controls.IntervalBox->setValue(std::clamp(m_settings.Interval, MinRotationInterval, MaxRotationInterval));
    ApplyInterval(m_controls.IntervalBox->value());
    m_controls.ActionBox->setCurrentIndex(m_settings.Action == RotationAction::Run ? 0 : 1);
    m_controls.autoSwitchCheckBox->setChecked(m_settings.SwitchEnabled);
    m_controls.toleranceSpinEdit->setValue(m_settings.ToleranceSeconds);
    LoadColumnWidths(m_initialState == WindowState::Maximized);
    m_controls.logPanel->setVisible(m_log.LogIsOn);
    m_controls.logMemo->setPlainText(JoinLines(m_log.Lines()));
    if (m_settings.SwitchEnabled) {
        m_switchTimer->start();
    } else {
        m_switchTimer->stop();
    }
    FillStyleList();
}

void TfrmMain::LoadEventLog()
{
    if (!m_log.SaveLog) {
        return;
    }
    m_log.LoadFile(EventLogFileName(m_context.DataFolder));
    m_log.AddStartupHeader(FormatRegionalDateTime(m_context.LocalClock.Now(), m_context.Regional.Read()),
                           m_evtTimer->isActive(), m_settings.EventTimerInterval, m_settings.ToleranceSeconds);
}

void TfrmMain::evtTimerTimer()
{
    m_evtTimer->stop();
    std::vector<bool> enabledBefore;
    for (const ScheduledEvent& row : m_events.Rows) {
        enabledBefore.push_back(row.Enabled);
    }
    m_engine.Tick(m_settings.ToleranceSeconds);
    if (const int rows = m_eventModel->rowCount(); rows > 0) {
        Q_EMIT m_eventModel->dataChanged(m_eventModel->index(0, 0),
                                         m_eventModel->index(rows - 1, EventListModel::ColumnCount - 1));
    }
    // A one-time event that ran was unticked: the editor's check box follows, as for a click.
    for (size_t row = 0; row < m_events.Rows.size() && row < enabledBefore.size(); ++row) {
        if (m_events.Rows[row].Enabled != enabledBefore[row]) {
            eventListViewItemChecked(static_cast<int>(row));
        }
    }
    // A message box during the tick may have let the user switch scheduling off, or an exit begin.
    if (m_settings.EventTimerEnabled && !m_exitRequested) {
        m_evtTimer->start();
    }
}

void TfrmMain::ShowAtStart()
{
    if (m_flags.StartMin) {
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
        const bool returnMaximized = m_flags.StartMax || m_lastWindowState == WindowState::Maximized;
        const WindowRect stored = ReadWindowRect(SettingsFile(), NormalRect());
        setWindowState(Qt::WindowNoState);
        setGeometry(ToQRect(stored));
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
    m_switchTimer->stop();
    // Nothing more may be scheduled while the files are written; what is saved is the user's choice,
    // not whether the timer happens to run.
    m_evtTimer->stop();
    m_exitRequested = true;
    close();
}

void TfrmMain::EndSession()
{
    // Nobody may be there to click a message box away: failures go to the error output.
    m_unattended = true;
    Exit1Click();
    if (!m_exitCompleted) {
        // The window did not take the close (it was never shown, say): the sequence runs all the same.
        FormClose();
        m_exitCompleted = true;
        Q_EMIT exitCompleted();
    }
}

void TfrmMain::SaveSession()
{
    if (m_exitCompleted) {
        return;
    }
    // The session manager asks for the user's data now; the program keeps running.
    ReportSaveFailures(SaveAll(), true);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (m_exitCompleted) {
        event->accept();
        return;
    }
    // No list may be written, nor the window hidden, while a worker can still add rows.
    m_scans.StopAll();
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
            LoadColumnWidths(toMaximized);
        }
    }
    m_lastWindowState = now;
}

void TfrmMain::ApplicationEvents1Minimize()
{
    if (m_lastWindowState == WindowState::Normal) {
        ReportWriteFailure(WriteWindowPlacement(SettingsFile(), WindowState::Normal, NormalRect()));
    }
    setWindowState(windowState() | Qt::WindowMinimized);
    if (m_flags.MinToTray) {
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
            m_messagePanel->setText(QStringLiteral("No system tray on this desktop: Kelvane stays on the taskbar"));
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

void TfrmMain::FormClose()
{
    ReportSaveFailures(SaveAll(), m_unattended);
}

QStringList TfrmMain::SaveAll()
{
    // Every file that can be written is written, in the exit's order; the failures are told together.
    QStringList failures;
    auto collect = [&failures](const Status& status) {
        if (!status) {
            failures << QString::fromStdString(status.message());
        }
    };

    const std::string folderFile = m_context.DataFolder + "folderList.txt";
    if (!WriteFileAtomically(folderFile, SerializeListFile(m_folderLines, m_folderEncoding))) {
        failures << QString::fromStdString("Unable to write to " + folderFile);
    }
    collect(m_screensavers.SaveListToFile(m_context.DataFolder + "ssList.txt"));
    collect(SaveEvents(EventsFileName(m_context.DataFolder), m_events, m_context.Zone, m_context.Regional));

    TraceWindowState("Saving settings");
    m_settings.LogIsOn = m_log.LogIsOn;
    m_settings.SaveLog = m_log.SaveLog;
    collect(WriteProgramSettings(SettingsFile(), m_flags, m_settings));
    collect(SaveColumnWidths(isMaximized()));
    if (m_log.SaveLog && !m_log.Lines().empty()) {
        collect(m_log.SaveFile(EventLogFileName(m_context.DataFolder)));
    }

    collect(WriteStartupFlags(SettingsFile(), m_flags));
    collect(WriteWindowPlacement(SettingsFile(), CurrentWindowState(), NormalRect()));
    failures.removeDuplicates();
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

WindowState TfrmMain::CurrentWindowState() const
{
    if (isMinimized()) {
        return WindowState::Minimized;
    }
    return isMaximized() ? WindowState::Maximized : WindowState::Normal;
}

WindowRect TfrmMain::NormalRect() const
{
    // The rectangle the window has, or would have, when neither minimised nor maximised.
    const QRect normal = (isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
    return FromQRect(normal.isValid() ? normal : geometry());
}

void TfrmMain::TraceWindowState(const std::string& text)
{
    m_context.Debug.Write(WindowStateTrace(text, CurrentWindowState(), FromQRect(geometry())));
}

void TfrmMain::ReportWriteFailure(const Status& status)
{
    if (!status) {
        m_context.Messages.ShowError(this, QString::fromStdString(status.message()));
    }
}

} // namespace kelvane::ui
