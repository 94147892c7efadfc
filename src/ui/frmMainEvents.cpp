// The event editor panel of the main window: loading the selected row, presets, saving, creating,
// deleting and reordering events.
#include "common/Clock.h"
#include "common/DateTime.h"
#include "common/EventDateTimeText.h"
#include "common/RegionalSettings.h"
#include "scheduler/EventEditor.h"
#include "scheduler/EventTypes.h"
#include "scheduler/EventsFile.h"
#include "scheduler/NextEvent.h"
#include "ui/EventListModel.h"
#include "ui/UserMessages.h"
#include "ui/addEventU.h"
#include "ui/frmMain_unit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeView>

namespace kelvane::ui {
namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// Selects the entry equal to the text; a text no entry equals leaves the selector as it is.
void SelectEqualEntry(QComboBox* box, const std::string& text)
{
    if (const int index = box->findText(Text(text), Qt::MatchExactly | Qt::MatchCaseSensitive); index >= 0) {
        box->setCurrentIndex(index);
    }
}

} // namespace

// Only drags that start in the list itself may drop there, and only onto a row.
class EventRowDrops final : public QObject
{
public:
    EventRowDrops(TfrmMain& window, QTreeView* list)
        : QObject(&window), m_window(window), m_list(list), m_viewport(list->viewport())
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The kind of event first: the viewport also reports its own destruction, when nothing of the
        // window may be touched any more.
        const QEvent::Type type = event->type();
        if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) || watched != m_viewport) {
            return false;
        }
        auto* drop = static_cast<QDropEvent*>(event);
        if (type != QEvent::Drop) {
            if (drop->source() == m_list && m_list->selectionModel()->hasSelection()) {
                drop->acceptProposedAction();
            } else {
                drop->ignore();
            }
            return true;
        }
        if (drop->source() == m_list) {
            m_window.eventListViewIIDragDrop(m_list->indexAt(drop->position().toPoint()).row());
        }
        // Told as a copy, so that the list does not remove the dragged row on its own afterwards.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }

private:
    TfrmMain& m_window;
    QTreeView* m_list;
    QObject* m_viewport;
};

void TfrmMain::ConnectEventEditor()
{
    const EventEditPanel& p = m_controls.editor;
    QTreeView* list = m_controls.eventListViewII;
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { eventListViewIISelectItem(); });
    connect(p.evtTypeComboBox, &QComboBox::activated, this, &TfrmMain::evtTypeComboBoxSelect);
    connect(p.DatePicker1, &QDateEdit::dateChanged, this, [this] { DateTimePickersChange(); });
    connect(p.TimePicker1, &QTimeEdit::timeChanged, this, [this] { DateTimePickersChange(); });
    connect(p.minutesSpin, &QSpinBox::textChanged, this, [this] { minutesSpinChange(); });
    connect(m_eventModel, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex&, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole)) {
                    eventListViewItemChecked(first.row());
                }
            });
    connect(p.NewEventBtn, &QPushButton::clicked, this, &TfrmMain::NewEventBtnClick);
    connect(p.saveChangesBtn, &QPushButton::clicked, this, &TfrmMain::saveChangesBtnClick);
    connect(p.delEventButton, &QPushButton::clicked, this, &TfrmMain::delEventButtonClick);
    connect(p.Button1, &QPushButton::clicked, this, &TfrmMain::ShowNextEvent);
    connect(p.allEventsOffCheckBox, &QCheckBox::clicked, this, &TfrmMain::allEventsOffCheckBoxClick);
    connect(p.AddSSBtn, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("Screensaver files (*.scr)"));
        if (!file.isEmpty()) {
            m_controls.editor.SSEdit->setText(QDir::toNativeSeparators(file));
        }
    });

    list->setDragEnabled(true);
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDefaultDropAction(Qt::CopyAction);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(new EventRowDrops(*this, list));
}

int TfrmMain::SelectedEventRow() const
{
    const QModelIndexList selected = m_controls.eventListViewII->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void TfrmMain::SelectEventRow(int row)
{
    QItemSelectionModel* selection = m_controls.eventListViewII->selectionModel();
    if (row < 0 || row >= m_eventModel->rowCount()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex index = m_eventModel->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_controls.eventListViewII->scrollTo(index);
}

void TfrmMain::ShowPickers(DateTime moment)
{
    const CivilDateTime civil = DecodeDateTime(moment);
    const EventEditPanel& p = m_controls.editor;
    const QSignalBlocker dateQuiet(p.DatePicker1);
    const QSignalBlocker timeQuiet(p.TimePicker1);
    p.DatePicker1->setDate(QDate(civil.Date.Year, civil.Date.Month, civil.Date.Day));
    p.TimePicker1->setTime(QTime(civil.Time.Hour, civil.Time.Minute, civil.Time.Second, civil.Time.Millisecond));
}

DateTime TfrmMain::PickersMoment() const
{
    const QDate date = m_controls.editor.DatePicker1->date();
    const QTime time = m_controls.editor.TimePicker1->time();
    return EncodeDateTime(
        {{date.year(), date.month(), date.day()}, {time.hour(), time.minute(), time.second(), time.msec()}});
}

void TfrmMain::eventListViewIISelectItem()
{
    const int row = SelectedEventRow();
    m_events.SelectedIndex = row;
    if (row < 0) {
        return; // the panel keeps what it shows
    }
    const ScheduledEvent& event = m_events.Rows[static_cast<size_t>(row)];
    const EventEditPanel& p = m_controls.editor;
    const RegionalFormats formats = m_context.Regional.Read();
    const auto report = [&](const std::string& why) {
        m_context.Messages.ShowError(
            this, QStringLiteral("Event %1 (\"%2\"): %3").arg(row + 1).arg(Text(event.Name), Text(why)));
    };

    // A time that cannot be read leaves the whole panel as it was.
    const Result<DateTime> when = ParseEventDateTime(event.EventTime, formats);
    if (!when) {
        report(when.message());
        return;
    }
    ShowPickers(when.value());
    p.enabledCheckBox->setChecked(event.Enabled);
    p.nameEdit->setText(Text(event.Name));
    p.timeEdit->setText(Text(event.EventTime));
    const std::optional<bool> close = ParseCloseCommand(event.CloseCommand);
    if (!close) {
        report("\"" + event.CloseCommand + "\" is not a valid close command");
        return;
    }
    p.closeSSCheckBox->setChecked(*close);
    SelectEqualEntry(p.actTypeComboBox, event.Action);
    SelectEqualEntry(p.evtTypeComboBox, event.EventType);
    p.SSEdit->setText(Text(event.Screensaver));
    const bool minuteBased = p.evtTypeComboBox->currentText() == Text(std::string(MinuteBasedEvents));
    p.minutesLabel->setEnabled(minuteBased);
    p.minutesSpin->setEnabled(minuteBased);
    p.minutesSpin->setValue(MinutesFieldValue(event.Minutes));
}

void TfrmMain::evtTypeComboBoxSelect(int index)
{
    const EventEditPanel& p = m_controls.editor;
    const std::string type = p.evtTypeComboBox->itemText(index).toStdString();
    const bool minuteBased = type == MinuteBasedEvents;
    p.minutesLabel->setEnabled(minuteBased);
    p.minutesSpin->setEnabled(minuteBased);
    const DateTime preset = TypePresetDateTime(type, m_context.LocalClock);
    ShowPickers(preset);
    p.timeEdit->setText(Text(FormatEventDateTime(preset, m_context.Regional.Read())));
}

void TfrmMain::DateTimePickersChange()
{
    m_controls.editor.timeEdit->setText(Text(FormatEventDateTime(PickersMoment(), m_context.Regional.Read())));
}

void TfrmMain::minutesSpinChange()
{
    QSpinBox* minutes = m_controls.editor.minutesSpin;
    const std::string text = minutes->cleanText().toStdString();
    if (MinutesFieldValue(text) == 0 && text != "0") {
        QTimer::singleShot(0, minutes, [minutes] { minutes->setValue(0); }); // after the keystroke is done
    }
}

void TfrmMain::eventListViewItemChecked(int row)
{
    if (row >= 0 && static_cast<size_t>(row) < m_events.Rows.size()) {
        m_controls.editor.enabledCheckBox->setChecked(m_events.Rows[static_cast<size_t>(row)].Enabled);
    }
}

EventEditorFields TfrmMain::EditorFields() const
{
    const EventEditPanel& p = m_controls.editor;
    const CivilDateTime moment = DecodeDateTime(PickersMoment());
    EventEditorFields fields;
    fields.Year = moment.Date.Year;
    fields.Month = moment.Date.Month;
    fields.Day = moment.Date.Day;
    fields.Hour = moment.Time.Hour;
    fields.Minute = moment.Time.Minute;
    fields.Second = moment.Time.Second;
    fields.Millisecond = moment.Time.Millisecond;
    fields.Enabled = p.enabledCheckBox->isChecked();
    fields.Name = p.nameEdit->text().toStdString();
    fields.SendCloseCommand = p.closeSSCheckBox->isChecked();
    fields.Action = p.actTypeComboBox->currentText().toStdString();
    fields.Screensaver = p.SSEdit->text().toStdString();
    fields.EventType = p.evtTypeComboBox->currentText().toStdString();
    fields.Minutes = p.minutesSpin->value();
    return fields;
}

void TfrmMain::saveChangesBtnClick()
{
    const size_t selected = SelectedEventRow() >= 0 ? 1 : 0;
    if (UpdateSelectedEvent(m_events, selected, EditorFields(), m_context.Regional)) {
        const QModelIndex row = m_eventModel->index(m_events.SelectedIndex, 0);
        Q_EMIT m_eventModel->dataChanged(row, row.siblingAtColumn(EventListModel::ColumnCount - 1));
    }
    // The edits stay in the table when the file cannot be written; the user learns what failed.
    if (const Status saved =
            SaveEvents(EventsFileName(m_context.DataFolder), m_events, m_context.Zone, m_context.Regional);
        !saved) {
        m_context.Messages.ShowError(this, Text(saved.message()));
    }
}

void TfrmMain::NewEventBtnClick()
{
    const std::vector<std::string> paths = m_screensavers.Paths();
    if (!paths.empty() && SelectedPaths().empty()) {
        m_controls.SSListBox->selectionModel()->select(m_controls.SSListBox->model()->index(0, 0),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    SyncSelectionToList();
    const std::vector<size_t> selected = m_screensavers.SelectedRows();
    const int picked = paths.empty() ? -1 : static_cast<int>(selected.empty() ? 0 : selected.front());

    TaddEvtFrm dialog(paths, picked, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_events.Rows.push_back(NewEventRow(dialog.EventName(), dialog.Screensaver(),
                                        m_controls.editor.closeSSCheckBox->isChecked(), m_context.LocalClock,
                                        m_context.Regional.Read()));
    m_eventModel->Reload();
    m_controls.editor.actTypeComboBox->setCurrentIndex(0);
    m_controls.editor.evtTypeComboBox->setCurrentIndex(0);
    SelectEventRow(static_cast<int>(m_events.Rows.size()) - 1);
}

void TfrmMain::delEventButtonClick()
{
    const int row = SelectedEventRow();
    m_events.SelectedIndex = row;
    const std::optional<std::string> name =
        row >= 0 ? std::optional<std::string>(m_events.Rows[static_cast<size_t>(row)].Name) : std::nullopt;
    if (!m_context.Messages.Confirm(this, QStringLiteral("Confirm"), Text(DeleteEventQuestion(name))) || row < 0) {
        return;
    }
    m_events.Rows.erase(m_events.Rows.begin() + row);
    m_eventModel->Reload();
    m_events.SelectedIndex = -1;
}

void TfrmMain::eventListViewIIDragDrop(int targetRow)
{
    const int dragged = SelectedEventRow();
    if (dragged < 0 || targetRow < 0) {
        return; // nothing selected, or dropped below the last row
    }
    if (const auto landed = MoveRowOnto(m_events, static_cast<size_t>(dragged), static_cast<size_t>(targetRow))) {
        m_eventModel->Reload();
        SelectEventRow(static_cast<int>(*landed));
    }
}

void TfrmMain::ShowNextEvent()
{
    m_context.Messages.ShowMessage(
        this, Text(NextEventMessage(m_events.Rows, m_context.LocalClock, m_context.Regional.Read())));
}

void TfrmMain::allEventsOffCheckBoxClick()
{
    m_settings.EventTimerEnabled = !m_controls.editor.allEventsOffCheckBox->isChecked();
    if (m_settings.EventTimerEnabled) {
        m_evtTimer->start();
    } else {
        m_evtTimer->stop();
    }
    m_log.AddLogLine(m_evtTimer->isActive() ? "Event Schedules are ON" : "Event Schedules are OFF");
}

} // namespace kelvane::ui
