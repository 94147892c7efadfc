#pragma once

#include "common/DateTime.h"
#include "scheduler/EventActions.h"
#include "scheduler/EventEngine.h"
#include "scheduler/EventsFile.h"
#include "ui/scheduler/EventEditPanel.h"
#include "ui/screensavers/ScreensaverFilePopup.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QTreeView;

namespace kelvane {
class Clock;
class ProgramData;
class RegionalSettings;
class TimeZone;
} // namespace kelvane

namespace kelvane::ui {

class EventListModel;
class UserMessages;

// The "Event Scheduler" tab's controls, named by their role.
struct EventSchedulerControls
{
    QTreeView* eventListViewII = nullptr;
    EventEditPanel editor;
    QGroupBox* logPanel = nullptr;
    QPlainTextEdit* logMemo = nullptr;

    // The list's popup menu: each item works on the selected event's screensaver.
    QMenu* EventPopupMenu = nullptr;
    ScreensaverFileItems EventFileItems; // "Run Event Screensaver", "Set Screensaver Active", ...
};

// What the tab works with.
struct EventSchedulerTabContext
{
    ProgramData& Data;
    ActiveScreensaverControl& Active;
    platform::Shell& DesktopShell;
    UserMessages& Messages;
    const Clock& LocalClock;
    const TimeZone& Zone;
    const RegionalSettings& Regional;
    // The screensaver list's row a new event offers first (-1: the list is empty).
    std::function<int()> PickScreensaverRow;
    // Shows a text in the status bar's message panel.
    std::function<void(const QString&)> ShowMessage = {};
};

// "Event Scheduler": the scheduled events with their editor, the timer that runs them, and the event
// log.
class TEventSchedulerTab final : public QWidget
{
    Q_OBJECT

public:
    explicit TEventSchedulerTab(const EventSchedulerTabContext& context, QWidget* parent = nullptr);
    ~TEventSchedulerTab() override;

    const EventSchedulerControls& Controls() const { return m_controls; }
    QTimer* evtTimer() const { return m_evtTimer; }

    // After the events are read: the first row is selected and shown in the editor.
    void ShowLoadedEvents();
    // After the settings are read: the timer's period and state, "Disable All Events" and the log.
    void ApplySettings();
    // The tolerance of the "Options" tab changed.
    void SetTolerance(int32_t seconds);
    // "Enabled" of the Event Logging menu.
    void ShowLogPanel(bool shown);
    // The second status panel's text.
    std::string SchedulingStatus() const;
    std::vector<int32_t> ColumnWidths() const;
    void SetColumnWidths(const std::vector<int32_t>& widths);
    // The program is about to end: nothing more is scheduled.
    void PrepareForExit();

    // One tick of the event timer: the timer is off while the events are checked.
    void evtTimerTimer();

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

private:
    void BuildControls();
    void ConnectEventList();
    void ConnectEditor();
    int SelectedEventRow() const;
    void SelectEventRow(int row);
    void ShowPickers(DateTime moment);
    DateTime PickersMoment() const;
    void DateTimePickersChange();
    void minutesSpinChange();
    // What the panel shows; putting some of the fields into it (`timeEdit` is left to the caller).
    EventEditorFields EditorFields() const;
    void ShowEditorFields(const EventEditorFields& fields, EditorFieldSet which);
    // The row at that position changed in the table: when the editor shows it, the fields the user has
    // not edited show the row's new values.
    void ShowChangesOfRow(size_t row);
    void ShowLogLine(size_t dropped, const std::string& line);
    void ReportProblem(const std::string& problem);
    // Saves what a pass changed before its actions start; a failure is told once, not at every pass.
    void SaveProgress();
    void TellProgressFailure();

    EventSchedulerTabContext m_context;
    EventSchedulerControls m_controls;
    EventListModel* m_model = nullptr;
    // The row the editor shows (0: none yet), whatever its position now, and its fields as the panel
    // showed them when loaded: a field that differs from them now is one the user edited.
    RowSerial m_shownRow = 0;
    EventEditorFields m_loadedFields;
    QTimer* m_evtTimer = nullptr;
    bool m_exiting = false;
    std::string m_progressNotSaved; // why the last pass's changes could not be saved
    bool m_progressFailureToTell = false;
    EventActionContext m_eventActions;
    EventEngine m_engine;
};

} // namespace kelvane::ui
