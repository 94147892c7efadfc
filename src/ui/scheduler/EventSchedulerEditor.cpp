// The "Event Scheduler" tab's editor panel: loading the selected row, presets, saving, creating,
// deleting and reordering events.
#include "common/Clock.h"
#include "common/DateTime.h"
#include "common/EventDateTimeText.h"
#include "platform/RegionalSettings.h"
#include "platform/qt/QtText.h"
#include "program/ProgramData.h"
#include "scheduler/EventEditor.h"
#include "scheduler/EventTypes.h"
#include "scheduler/EventsFile.h"
#include "scheduler/NextEvent.h"
#include "ui/UserMessages.h"
#include "ui/scheduler/EventListModel.h"
#include "ui/scheduler/EventSchedulerTab.h"
#include "ui/scheduler/addEventU.h"

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

using platform::FromUtf8;

// Selects the entry equal to the text; a text no entry equals leaves the selector as it is.
void SelectEqualEntry(QComboBox* box, const std::string& text)
{
    if (const int index = box->findText(FromUtf8(text), Qt::MatchExactly | Qt::MatchCaseSensitive); index >= 0) {
        box->setCurrentIndex(index);
    }
}

} // namespace

// Only drags that start in the list itself may drop there, and only onto a row.
class EventRowDrops final : public QObject
{
public:
    EventRowDrops(TEventSchedulerTab& tab, QTreeView* list)
        : QObject(&tab), m_tab(tab), m_list(list), m_viewport(list->viewport())
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The kind of event first: the viewport also reports its own destruction, when nothing of the
        // tab may be touched any more.
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
            m_tab.eventListViewIIDragDrop(m_list->indexAt(drop->position().toPoint()).row());
        }
        // Told as a copy, so that the list does not remove the dragged row on its own afterwards.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }

private:
    TEventSchedulerTab& m_tab;
    QTreeView* m_list;
    QObject* m_viewport;
};

void TEventSchedulerTab::ConnectEditor()
{
    const EventEditPanel& p = m_controls.editor;
    QTreeView* list = m_controls.eventListViewII;
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { eventListViewIISelectItem(); });
    connect(p.evtTypeComboBox, &QComboBox::activated, this, &TEventSchedulerTab::evtTypeComboBoxSelect);
    connect(p.DatePicker1, &QDateEdit::dateChanged, this, [this] { DateTimePickersChange(); });
    connect(p.TimePicker1, &QTimeEdit::timeChanged, this, [this] { DateTimePickersChange(); });
    connect(p.minutesSpin, &QSpinBox::textChanged, this, [this] { minutesSpinChange(); });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole)) {
                    eventListViewItemChecked(first.row()); // a click on a row's check box
                    return;
                }
                // The table changed rows itself: the scheduler, or a save.
                for (int row = first.row(); row <= last.row(); ++row) {
                    ShowChangesOfRow(static_cast<size_t>(row));
                }
            });
    connect(p.NewEventBtn, &QPushButton::clicked, this, &TEventSchedulerTab::NewEventBtnClick);
    connect(p.saveChangesBtn, &QPushButton::clicked, this, &TEventSchedulerTab::saveChangesBtnClick);
    connect(p.delEventButton, &QPushButton::clicked, this, &TEventSchedulerTab::delEventButtonClick);
    connect(p.Button1, &QPushButton::clicked, this, &TEventSchedulerTab::ShowNextEvent);
    connect(p.allEventsOffCheckBox, &QCheckBox::clicked, this, &TEventSchedulerTab::allEventsOffCheckBoxClick);
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

int TEventSchedulerTab::SelectedEventRow() const
{
    const QModelIndexList selected = m_controls.eventListViewII->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void TEventSchedulerTab::SelectEventRow(int row)
{
    QItemSelectionModel* selection = m_controls.eventListViewII->selectionModel();
    if (row < 0 || row >= m_model->rowCount()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_controls.eventListViewII->scrollTo(index);
}

void TEventSchedulerTab::ShowPickers(DateTime moment)
{
    const CivilDateTime civil = DecodeDateTime(moment);
    const EventEditPanel& p = m_controls.editor;
    const QSignalBlocker dateQuiet(p.DatePicker1);
    const QSignalBlocker timeQuiet(p.TimePicker1);
    p.DatePicker1->setDate(QDate(civil.Date.Year, civil.Date.Month, civil.Date.Day));
    p.TimePicker1->setTime(QTime(civil.Time.Hour, civil.Time.Minute, civil.Time.Second, civil.Time.Millisecond));
}

DateTime TEventSchedulerTab::PickersMoment() const
{
    const QDate date = m_controls.editor.DatePicker1->date();
    const QTime time = m_controls.editor.TimePicker1->time();
    return EncodeDateTime(
        {{date.year(), date.month(), date.day()}, {time.hour(), time.minute(), time.second(), time.msec()}});
}

void TEventSchedulerTab::eventListViewIISelectItem()
{
    const int row = SelectedEventRow();
    m_context.Data.Events().SelectedIndex = row;
    if (row < 0) {
        return; // the panel keeps what it shows, and goes on editing that row
    }
    const ScheduledEvent& event = m_context.Data.Events().Rows[static_cast<size_t>(row)];
    // A row that cannot be read leaves the whole panel as it was, still editing the row it showed.
    const Result<EventEditorFields> fields = EditorFieldsOfRow(event, EditorFields(), m_context.Regional.Read());
    if (!fields) {
        m_context.Messages.ShowError(this, QStringLiteral("Event %1 (\"%2\"): %3")
                                               .arg(row + 1)
                                               .arg(FromUtf8(event.Name()), FromUtf8(fields.message())));
        return;
    }
    ShowEditorFields(fields.value(), EditorFieldSet::All());
    m_controls.editor.timeEdit->setText(FromUtf8(event.EventTime()));
    m_shownRow = event.Serial();
    m_loadedFields = EditorFields();
}

void TEventSchedulerTab::ShowEditorFields(const EventEditorFields& fields, EditorFieldSet which)
{
    // A control is set only when its value changes, so that one the user is typing into keeps its cursor.
    using enum EditorField;
    const EventEditPanel& p = m_controls.editor;
    const auto setText = [](QLineEdit* edit, const std::string& text) {
        if (const QString shown = FromUtf8(text); edit->text() != shown) {
            edit->setText(shown);
        }
    };
    {
        const QSignalBlocker dateQuiet(p.DatePicker1); // `timeEdit` is the caller's
        const QSignalBlocker timeQuiet(p.TimePicker1);
        if (const QDate date(fields.Year, fields.Month, fields.Day); which.Has(Date) && p.DatePicker1->date() != date) {
            p.DatePicker1->setDate(date);
        }
        if (const QTime time(fields.Hour, fields.Minute, fields.Second, fields.Millisecond);
            which.Has(Time) && p.TimePicker1->time() != time) {
            p.TimePicker1->setTime(time);
        }
    }
    if (which.Has(Enabled)) {
        p.enabledCheckBox->setChecked(fields.Enabled);
    }
    if (which.Has(Name)) {
        setText(p.nameEdit, fields.Name);
    }
    if (which.Has(CloseCommand)) {
        p.closeSSCheckBox->setChecked(fields.SendCloseCommand);
    }
    if (which.Has(Action)) {
        SelectEqualEntry(p.actTypeComboBox, fields.Action);
    }
    if (which.Has(EventType)) {
        SelectEqualEntry(p.evtTypeComboBox, fields.EventType);
    }
    if (which.Has(Screensaver)) {
        setText(p.SSEdit, fields.Screensaver);
    }
    const bool minuteBased = p.evtTypeComboBox->currentText() == FromUtf8(std::string(MinuteBasedEvents));
    p.minutesLabel->setEnabled(minuteBased);
    p.minutesSpin->setEnabled(minuteBased);
    if (which.Has(Minutes) && p.minutesSpin->value() != fields.Minutes) {
        p.minutesSpin->setValue(fields.Minutes);
    }
}

void TEventSchedulerTab::ShowChangesOfRow(size_t row)
{
    const std::vector<ScheduledEvent>& rows = m_context.Data.Events().Rows;
    if (row >= rows.size() || rows[row].Serial() != m_shownRow) {
        return; // another row: the editor's fields are not its
    }
    const RegionalFormats formats = m_context.Regional.Read();
    const EventEditorFields shown = EditorFields();
    const Result<EventEditorFields> now = EditorFieldsOfRow(rows[row], shown, formats);
    if (!now) {
        return; // a row that can no longer be read: the editor keeps what it shows
    }
    // What the user edited stays as they set it; every other field shows the row as it is now.
    const EditorFieldSet edited = EditedFields(m_loadedFields, shown);
    ShowEditorFields(now.value(), edited.Others());
    const bool timeEdited = edited.Has(EditorField::Date) || edited.Has(EditorField::Time);
    m_controls.editor.timeEdit->setText(timeEdited ? FromUtf8(FormatEventDateTime(PickersMoment(), formats))
                                                   : FromUtf8(rows[row].EventTime()));
    m_loadedFields = CombineEditorFields(edited, m_loadedFields, EditorFields());
}

void TEventSchedulerTab::evtTypeComboBoxSelect(int index)
{
    const EventEditPanel& p = m_controls.editor;
    const std::string type = p.evtTypeComboBox->itemText(index).toStdString();
    const bool minuteBased = type == MinuteBasedEvents;
    p.minutesLabel->setEnabled(minuteBased);
    p.minutesSpin->setEnabled(minuteBased);
    const DateTime preset = TypePresetDateTime(type, m_context.LocalClock);
    ShowPickers(preset);
    p.timeEdit->setText(FromUtf8(FormatEventDateTime(preset, m_context.Regional.Read())));
}

void TEventSchedulerTab::DateTimePickersChange()
{
    m_controls.editor.timeEdit->setText(FromUtf8(FormatEventDateTime(PickersMoment(), m_context.Regional.Read())));
}

void TEventSchedulerTab::minutesSpinChange()
{
    QSpinBox* minutes = m_controls.editor.minutesSpin;
    const std::string text = minutes->cleanText().toStdString();
    if (MinutesFieldValue(text) == 0 && text != "0") {
        QTimer::singleShot(0, minutes, [minutes] { minutes->setValue(0); }); // after the keystroke is done
    }
}

void TEventSchedulerTab::eventListViewItemChecked(int row)
{
    // Only the shown row's own box is "Enable Event"; it takes the box's newest state, as the user or the
    // scheduler set it.
    const std::vector<ScheduledEvent>& rows = m_context.Data.Events().Rows;
    if (row >= 0 && static_cast<size_t>(row) < rows.size() && rows[static_cast<size_t>(row)].Serial() == m_shownRow) {
        const bool enabled = rows[static_cast<size_t>(row)].Enabled;
        m_controls.editor.enabledCheckBox->setChecked(enabled);
        m_loadedFields.Enabled = enabled;
    }
}

EventEditorFields TEventSchedulerTab::EditorFields() const
{
    const EventEditPanel& p = m_controls.editor;
    EventEditorFields fields;
    fields.SetMoment(DecodeDateTime(PickersMoment()));
    fields.Enabled = p.enabledCheckBox->isChecked();
    fields.Name = p.nameEdit->text().toStdString();
    fields.SendCloseCommand = p.closeSSCheckBox->isChecked();
    fields.Action = p.actTypeComboBox->currentText().toStdString();
    fields.Screensaver = p.SSEdit->text().toStdString();
    fields.EventType = p.evtTypeComboBox->currentText().toStdString();
    fields.Minutes = p.minutesSpin->value();
    return fields;
}

void TEventSchedulerTab::saveChangesBtnClick()
{
    EventTable& events = m_context.Data.Events();
    const EventEditorFields shown = EditorFields();
    const EditorFieldSet edited = EditedFields(m_loadedFields, shown);
    if (const auto row = UpdateSelectedEvent(events, m_shownRow, edited, shown, m_context.Regional)) {
        events.RowsUpdated(*row);
        m_loadedFields = EditorFields(); // what the panel shows is now the row's
    } else if (m_shownRow != 0 || !edited.Empty()) {
        // The edits went nowhere: the user must know.
        m_context.Messages.ShowWarning(
            this, FromUtf8(EditorNotSavedMessage(m_shownRow != 0 ? std::optional(m_loadedFields.Name) : std::nullopt)));
    }
    // The edits stay in the table when the file cannot be written; the user learns what failed.
    if (const Status saved = m_context.Data.SaveEventTable(); !saved) {
        m_context.Messages.ShowError(this, FromUtf8(saved.message()));
    }
}

void TEventSchedulerTab::NewEventBtnClick()
{
    const std::vector<std::string> paths = m_context.Data.Screensavers().Paths();
    const int picked = m_context.PickScreensaverRow();
    TaddEvtFrm dialog(paths, picked, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_context.Data.Events().AppendRows(
        {NewEventRow(dialog.EventName(), dialog.Screensaver(), m_controls.editor.closeSSCheckBox->isChecked(),
                     m_context.LocalClock, m_context.Regional.Read())});
    m_controls.editor.actTypeComboBox->setCurrentIndex(0);
    m_controls.editor.evtTypeComboBox->setCurrentIndex(0);
    SelectEventRow(static_cast<int>(m_context.Data.Events().Rows.size()) - 1);
}

void TEventSchedulerTab::delEventButtonClick()
{
    const int row = SelectedEventRow();
    m_context.Data.Events().SelectedIndex = row;
    const std::optional<std::string> name =
        row >= 0 ? std::optional<std::string>(m_context.Data.Events().Rows[static_cast<size_t>(row)].Name())
                 : std::nullopt;
    if (!m_context.Messages.Confirm(this, QStringLiteral("Confirm"), FromUtf8(DeleteEventQuestion(name))) || row < 0) {
        return;
    }
    // The list moves its selection on to another row, which the editor then shows.
    m_context.Data.Events().EraseRow(static_cast<size_t>(row));
    m_context.Data.Events().SelectedIndex = SelectedEventRow();
}

void TEventSchedulerTab::eventListViewIIDragDrop(int targetRow)
{
    const int dragged = SelectedEventRow();
    if (dragged < 0 || targetRow < 0) {
        return; // nothing selected, or dropped below the last row
    }
    if (const auto landed =
            MoveRowOnto(m_context.Data.Events(), static_cast<size_t>(dragged), static_cast<size_t>(targetRow))) {
        SelectEventRow(static_cast<int>(*landed));
    }
}

void TEventSchedulerTab::ShowNextEvent()
{
    m_context.Messages.ShowMessage(this, FromUtf8(NextEventMessage(m_context.Data.Events().Rows, m_context.LocalClock,
                                                                   m_context.Regional.Read())));
}

} // namespace kelvane::ui
