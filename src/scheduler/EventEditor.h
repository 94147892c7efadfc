#pragma once

#include "common/Clock.h"
#include "common/DateTime.h"
#include "common/RegionalFormats.h"
#include "common/Status.h"
#include "scheduler/EventsFile.h"
#include "scheduler/ScheduledEvent.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

// The days by the names that begin the weekday event types.
inline constexpr std::array<std::string_view, 7> WeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                                 "Thursday", "Friday", "Saturday"};

// The entries of the editor's "Action Type", in the order it offers them.
inline constexpr std::array<std::string_view, 2> ActionTypeNames = {"Activate", "Run"};

// The text before the first blank; all of it when it has none.
std::string_view FirstWord(std::string_view text);

// 00:00 of the next day with that weekday strictly after today (name compared without regard to case);
// nothing when the name is no weekday.
std::optional<DateTime> NextWeekdayDate(std::string_view dayName, const Clock& clock);

// Where the date and time pickers go when an event type is chosen: its next natural occurrence, the
// current moment for a type without one.
DateTime TypePresetDateTime(std::string_view eventType, const Clock& clock);

// The close command as a truth value: "True" or "False" in any letter case, or a whole number (0 is
// false); nothing for any other text.
std::optional<bool> ParseCloseCommand(std::string_view text);

// The minutes field's value: its text as a whole number, 0 for anything else and never below 0.
int32_t MinutesFieldValue(std::string_view text);

// What the editor shows for a row. A selector shows the row's text when it is one of its entries, else it
// stays on the entry it has in `shown`; the rest is the row's. Nothing, and why, when the row's event time
// or close command cannot be read.
Result<EventEditorFields> EditorFieldsOfRow(const ScheduledEvent& row, const EventEditorFields& shown,
                                            const RegionalFormats& formats);

// The fields in which what the editor shows differs from what it loaded: those the user edited.
EditorFieldSet EditedFields(const EventEditorFields& loaded, const EventEditorFields& shown);

// Each field in `which` from `inside`, every other from `outside`.
EventEditorFields CombineEditorFields(EditorFieldSet which, const EventEditorFields& inside,
                                      const EventEditorFields& outside);

// Why "Save Changes" saved nothing of the editor: it shows a row that was deleted (its name is given), or
// none at all.
std::string EditorNotSavedMessage(const std::optional<std::string>& deletedRowName);

// The row a new event starts as: unticked, one-time, now, made active (not run) when it comes.
ScheduledEvent NewEventRow(const std::string& name, const std::string& screensaver, bool sendCloseCommand,
                           const Clock& clock, const RegionalFormats& formats);

// The drop of a dragged row onto another: a copy of the dragged row goes immediately before the target
// row, then the dragged row leaves its old place. Returns where the dragged row is now; nothing (and no
// change) when either row does not exist.
std::optional<size_t> MoveRowOnto(EventTable& table, size_t dragged, size_t target);

// The confirmation of "Delete Event" for the selected row's name, or for no row.
std::string DeleteEventQuestion(const std::optional<std::string>& rowName);

} // namespace kelvane
