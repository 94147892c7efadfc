#include "ui/scheduler/EventSchedulerTab.h"

#include "common/Clock.h"
#include "common/StatusBarText.h"
#include "platform/RegionalSettings.h"
#include "program/ProgramData.h"
#include "scheduler/NextEvent.h"
#include "ui/UserMessages.h"
#include "ui/Widgets.h"
#include "ui/scheduler/EventListModel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTextCursor>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace kelvane::ui {
namespace {

// The room a column's caption takes in the face the list is drawn in. The design widths were chosen
// for one small face; in a wider one they would cut the captions ("Close Cn"), so a column is at
// least this wide until the user or the settings make it otherwise.
int CaptionWidth(const QHeaderView& header, int column)
{
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.section = column;
    option.text = header.model()->headerData(column, Qt::Horizontal).toString();
    return header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header).width();
}

} // namespace

TEventSchedulerTab::TEventSchedulerTab(const EventSchedulerTabContext& context, QWidget* parent)
    : QWidget(parent),
      m_context(context), m_eventActions{context.Data.Log(), context.Active, &context.Data.Screensavers()},
      m_engine(context.Data.Events(), context.Data.Log(), {context.LocalClock, context.Zone, context.Regional},
               m_eventActions, [this](const std::string& problem) { ReportProblem(problem); })
{
    BuildControls();
    m_model = new EventListModel(m_context.Data.Events(), this);
    m_controls.eventListViewII->setModel(m_model);
    QHeaderView* header = m_controls.eventListViewII->header();
    for (int column = 0; column < EventListModel::ColumnCount; ++column) {
        // A hidden column stays at no width.
        const int width = EventColumnWidths[column];
        header->resizeSection(column, width > 0 ? std::max(width, CaptionWidth(*header, column)) : 0);
    }
    m_controls.eventListViewII->setColumnHidden(8, true); // "Minutes"
    m_context.Data.Log().OnLineAdded = [this](size_t dropped, const std::string& line) { ShowLogLine(dropped, line); };
    m_evtTimer = new QTimer(this);
    m_evtTimer->setObjectName(QStringLiteral("evtTimer"));
    m_evtTimer->setInterval(5000);
    connect(m_evtTimer, &QTimer::timeout, this, &TEventSchedulerTab::evtTimerTimer);
    m_engine.SetProgressSaver([this] { SaveProgress(); });
    ConnectEventList();
    ConnectEditor();
    m_loadedFields = EditorFields(); // an untouched panel edits nothing
}

TEventSchedulerTab::~TEventSchedulerTab()
{
    // The table and the log outlive the tab.
    m_context.Data.Log().OnLineAdded = nullptr;
    m_controls.eventListViewII->setModel(nullptr);
    delete m_model;
}

void TEventSchedulerTab::BuildControls()
{
    EventSchedulerControls& c = m_controls;
    auto* row = new QHBoxLayout(this);
    auto* events = new QGroupBox(QStringLiteral("Scheduled Events"), this);
    auto* eventsLayout = new QVBoxLayout(events);
    c.eventListViewII = ReportView(events);
    c.eventListViewII->setSelectionMode(QAbstractItemView::SingleSelection);
    eventsLayout->addWidget(c.eventListViewII);
    row->addWidget(events, 1);

    auto* editor = new QGroupBox(QStringLiteral("Scheduled Event Settings"), this);
    editor->setMinimumWidth(258);
    c.editor = BuildEventEditPanel(editor);
    row->addWidget(editor);

    c.logPanel = new QGroupBox(QStringLiteral("Event Log"), this);
    c.logPanel->setMinimumWidth(258);
    auto* logLayout = new QVBoxLayout(c.logPanel);
    c.logMemo = new QPlainTextEdit(c.logPanel);
    c.logMemo->setReadOnly(true);
    c.logMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    logLayout->addWidget(c.logMemo);
    row->addWidget(c.logPanel);

    c.EventPopupMenu = new QMenu(this);
    c.EventFileItems = AddScreensaverFileItems(c.EventPopupMenu, QStringLiteral("&Run Event Screensaver"),
                                               QStringLiteral("Set Screensaver &Active"));
}

void TEventSchedulerTab::ConnectEventList()
{
    QTreeView* list = m_controls.eventListViewII;
    // The popup works on the selected event's screensaver, and only with one event selected.
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_controls.EventPopupMenu->popup(m_controls.eventListViewII->viewport()->mapToGlobal(at));
    });
    ConnectScreensaverFileItems(
        this, m_controls.EventFileItems,
        [this]() -> std::optional<std::string> {
            const QModelIndexList selected = m_controls.eventListViewII->selectionModel()->selectedRows();
            if (selected.size() != 1) {
                return std::nullopt;
            }
            return m_context.Data.Events().Rows.at(static_cast<size_t>(selected.front().row())).Screensaver();
        },
        m_context.DesktopShell, m_context.Active);
}

void TEventSchedulerTab::ShowLoadedEvents()
{
    // The first row is selected, which shows it in the editor.
    if (m_context.Data.Events().SelectedIndex == 0) {
        m_controls.eventListViewII->setCurrentIndex(m_model->index(0, 0));
    }
}

void TEventSchedulerTab::ApplySettings()
{
    const ProgramSettings& settings = m_context.Data.Settings();
    m_evtTimer->setInterval(EventTimerPeriodMs(settings.ToleranceSeconds));
    settings.EventTimerEnabled ? m_evtTimer->start() : m_evtTimer->stop();
    m_controls.editor.allEventsOffCheckBox->setChecked(!settings.EventTimerEnabled);
    const EventLog& log = m_context.Data.Log();
    m_controls.logPanel->setVisible(log.LogIsOn);
    m_controls.logMemo->setPlainText(JoinLines(log.Lines()));
}

void TEventSchedulerTab::SetTolerance(int32_t seconds)
{
    m_context.Data.Settings().ToleranceSeconds = seconds;
    m_evtTimer->setInterval(EventTimerPeriodMs(seconds));
}

void TEventSchedulerTab::ShowLogPanel(bool shown)
{
    m_controls.logPanel->setVisible(shown);
}

std::string TEventSchedulerTab::SchedulingStatus() const
{
    return SchedulingStatusText(
        m_evtTimer->isActive(),
        GetNextEventText(m_context.Data.Events().Rows, m_context.LocalClock, m_context.Regional.Read()));
}

std::vector<int32_t> TEventSchedulerTab::ColumnWidths() const
{
    std::vector<int32_t> widths;
    for (int column = 0; column < EventListModel::ColumnCount; ++column) {
        widths.push_back(m_controls.eventListViewII->header()->sectionSize(column));
    }
    return widths;
}

void TEventSchedulerTab::SetColumnWidths(const std::vector<int32_t>& widths)
{
    for (size_t column = 0; column < widths.size() && column < EventListModel::ColumnCount; ++column) {
        m_controls.eventListViewII->header()->resizeSection(static_cast<int>(column), widths[column]);
    }
}

void TEventSchedulerTab::PrepareForExit()
{
    // Nothing more may be scheduled while the files are written; what is saved is the user's choice,
    // not whether the timer happens to run.
    m_exiting = true;
    m_evtTimer->stop();
}

void TEventSchedulerTab::evtTimerTimer()
{
    m_evtTimer->stop();
    // A one-time event that ran was unticked: the editor's check box follows, as for a click.
    for (const size_t row : m_engine.Tick(m_context.Data.Settings().ToleranceSeconds).Unticked) {
        eventListViewItemChecked(static_cast<int>(row));
    }
    TellProgressFailure();
    // A message box during the tick may have let the user switch scheduling off, or an exit begin.
    if (m_context.Data.Settings().EventTimerEnabled && !m_exiting) {
        m_evtTimer->start();
    }
}

void TEventSchedulerTab::allEventsOffCheckBoxClick()
{
    bool& enabled = m_context.Data.Settings().EventTimerEnabled;
    enabled = !m_controls.editor.allEventsOffCheckBox->isChecked();
    enabled ? m_evtTimer->start() : m_evtTimer->stop();
    m_context.Data.Log().AddLogLine(m_evtTimer->isActive() ? "Event Schedules are ON" : "Event Schedules are OFF");
}

void TEventSchedulerTab::ShowLogLine(size_t dropped, const std::string& line)
{
    QPlainTextEdit* memo = m_controls.logMemo;
    if (dropped > 0) {
        // The oldest lines went: the text is shown afresh, still scrolled to its newest line.
        memo->setPlainText(JoinLines(m_context.Data.Log().Lines()));
        memo->moveCursor(QTextCursor::End);
        memo->ensureCursorVisible();
        return;
    }
    memo->appendPlainText(QString::fromStdString(line));
}

void TEventSchedulerTab::SaveProgress()
{
    // The table as it is: edits still in the editor panel are not in it and stay unsaved.
    const Status saved = m_context.Data.SaveEventTable();
    if (saved) {
        m_progressNotSaved.clear();
        return;
    }
    // Told after the pass, so that its actions' own messages do not hide it; and only when the reason is
    // new, as it may fail again at every pass.
    if (saved.message() != m_progressNotSaved) {
        m_progressNotSaved = saved.message();
        m_progressFailureToTell = true;
    }
}

void TEventSchedulerTab::TellProgressFailure()
{
    // In the status bar, not in a box: a box would stop the scheduling until someone closes it.
    if (m_progressFailureToTell && m_context.ShowMessage) {
        m_context.ShowMessage(QString::fromStdString(m_progressNotSaved));
    }
    m_progressFailureToTell = false;
}

void TEventSchedulerTab::ReportProblem(const std::string& problem)
{
    m_context.Messages.ShowError(this, QString::fromStdString(problem));
}

} // namespace kelvane::ui
