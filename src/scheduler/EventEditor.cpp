#include "scheduler/EventEditor.h"

#include "common/EventDateTimeText.h"
#include "common/TextCase.h"
#include "scheduler/EventEngine.h"
#include "scheduler/EventTypes.h"
#include "scheduler/SpecialDates.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace kelvane {
namespace {

DateTime AddMilliseconds(DateTime value, int64_t milliseconds)
{
    return FromLinearMilliseconds(ToLinearMilliseconds(value) + milliseconds);
}

// The same moment of the day on another date.
DateTime AtTimeOfDay(DateTime date, DateTime moment)
{
    return FromLinearMilliseconds(ToLinearMilliseconds(date) + ToLinearMilliseconds(moment) -
                                  ToLinearMilliseconds(DateOf(moment)));
}

constexpr int64_t MillisecondsPerDay = 86'400'000;

} // namespace

std::string_view FirstWord(std::string_view text)
{
    return text.substr(0, text.find(' '));
}

std::optional<DateTime> NextWeekdayDate(std::string_view dayName, const Clock& clock)
{
    for (size_t i = 0; i < WeekdayNames.size(); ++i) {
        if (EqualsIgnoringAsciiCase(dayName, WeekdayNames[i])) {
            const DateTime today = DateOf(clock.Now());
            const int32_t target = static_cast<int32_t>(i) + 1;                     // Sunday = 1
            const int32_t current = IsoWeekday(DecodeDateTime(today).Date) % 7 + 1; // ISO Sunday is 7
            const int32_t days = target > current ? target - current : target - current + 7;
            return AddMilliseconds(today, days * MillisecondsPerDay);
        }
    }
    return std::nullopt;
}

DateTime TypePresetDateTime(std::string_view eventType, const Clock& clock)
{
    DateTime preset = NextHolidayDate(eventType, clock);
    const std::string_view first = FirstWord(eventType);
    if (const auto weekday = NextWeekdayDate(first, clock)) {
        preset = *weekday;
    }
    const DateTime now = clock.Now();
    if (first == "Daily") {
        preset = AddMilliseconds(now, MillisecondsPerDay);
    } else if (first == "Weekly") {
        preset = AddMilliseconds(now, 7 * MillisecondsPerDay);
    } else if (first == "Monthly") {
        preset = AtTimeOfDay(IncMonth(DateOf(now), 1), now);
    } else if (first == "Yearly") {
        preset = AtTimeOfDay(IncMonth(DateOf(now), 12), now);
    } else if (first == "Minute-Based") {
        preset = AddMilliseconds(now, 15 * 60 * 1000);
    }
    return preset;
}

std::optional<bool> ParseCloseCommand(std::string_view text)
{
    if (EqualsIgnoringAsciiCase(text, "True")) {
        return true;
    }
    if (EqualsIgnoringAsciiCase(text, "False")) {
        return false;
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number != 0;
}

int32_t MinutesFieldValue(std::string_view text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        return 0;
    }
    return value;
}

Result<EventEditorFields> EditorFieldsOfRow(const ScheduledEvent& row, const EventEditorFields& shown,
                                            const RegionalFormats& formats)
{
    const Result<DateTime> when = ParseEventDateTime(row.EventTime(), formats);
    if (!when) {
        return Result<EventEditorFields>::Error(when.message());
    }
    const std::optional<bool> close = ParseCloseCommand(row.CloseCommand());
    if (!close) {
        return Result<EventEditorFields>::Error("\"" + row.CloseCommand() + "\" is not a valid close command");
    }
    const auto isEntry = [](std::string_view text, const auto& entries) {
        return std::find(entries.begin(), entries.end(), text) != entries.end();
    };
    EventEditorFields fields = shown;
    fields.SetMoment(DecodeDateTime(when.value()));
    fields.Enabled = row.Enabled;
    fields.Name = row.Name();
    fields.SendCloseCommand = *close;
    if (isEntry(row.Action(), ActionTypeNames)) {
        fields.Action = row.Action();
    }
    if (isEntry(row.EventType(), EventTypeNames)) {
        fields.EventType = row.EventType();
    }
    fields.Screensaver = row.Screensaver();
    fields.Minutes = MinutesFieldValue(row.Minutes());
    return fields;
}

EditorFieldSet EditedFields(const EventEditorFields& loaded, const EventEditorFields& shown)
{
    using enum EditorField;
    EditorFieldSet edited;
    const auto mark = [&edited](EditorField field, bool differs) {
        if (differs) {
            edited.Add(field);
        }
    };
    mark(Date, std::tie(loaded.Year, loaded.Month, loaded.Day) != std::tie(shown.Year, shown.Month, shown.Day));
    mark(Time, std::tie(loaded.Hour, loaded.Minute, loaded.Second, loaded.Millisecond) !=
                   std::tie(shown.Hour, shown.Minute, shown.Second, shown.Millisecond));
    mark(Enabled, loaded.Enabled != shown.Enabled);
    mark(Name, loaded.Name != shown.Name);
    mark(CloseCommand, loaded.SendCloseCommand != shown.SendCloseCommand);
    mark(Action, loaded.Action != shown.Action);
    mark(Screensaver, loaded.Screensaver != shown.Screensaver);
    mark(EventType, loaded.EventType != shown.EventType);
    mark(Minutes, loaded.Minutes != shown.Minutes);
    return edited;
}

EventEditorFields CombineEditorFields(EditorFieldSet which, const EventEditorFields& inside,
                                      const EventEditorFields& outside)
{
    using enum EditorField;
    const auto from = [which, &inside, &outside](EditorField field) -> const EventEditorFields& {
        return which.Has(field) ? inside : outside;
    };
    EventEditorFields fields = outside;
    std::tie(fields.Year, fields.Month, fields.Day) = std::tie(from(Date).Year, from(Date).Month, from(Date).Day);
    std::tie(fields.Hour, fields.Minute, fields.Second, fields.Millisecond) =
        std::tie(from(Time).Hour, from(Time).Minute, from(Time).Second, from(Time).Millisecond);
    fields.Enabled = from(Enabled).Enabled;
    fields.Name = from(Name).Name;
    fields.SendCloseCommand = from(CloseCommand).SendCloseCommand;
    fields.Action = from(Action).Action;
    fields.Screensaver = from(Screensaver).Screensaver;
    fields.EventType = from(EventType).EventType;
    fields.Minutes = from(Minutes).Minutes;
    return fields;
}

std::string EditorNotSavedMessage(const std::optional<std::string>& deletedRowName)
{
    if (deletedRowName) {
        return "The event \"" + *deletedRowName + "\" shown in the editor has been deleted: its fields were not saved.";
    }
    return "No event is shown in the editor: its fields were not saved.";
}

ScheduledEvent NewEventRow(const std::string& name, const std::string& screensaver, bool sendCloseCommand,
                           const Clock& clock, const RegionalFormats& formats)
{
    ScheduledEvent row;
    row.Enabled = false;
    row.SetName(name);
    row.SetEventTime(FormatEventDateTime(clock.Now(), formats));
    row.SetCloseCommand(sendCloseCommand ? "True" : "False");
    row.SetAction("Activate");
    row.SetScreensaver(screensaver);
    row.SetEventType(std::string(OneTimeEvents));
    row.SetLastRun(ZeroDateTimeText(formats));
    row.SetMinutes("15");
    row.SetHasRun("False");
    row.SetRunCount("0");
    return row;
}

std::optional<size_t> MoveRowOnto(EventTable& table, size_t dragged, size_t target)
{
    if (dragged >= table.Rows.size() || target >= table.Rows.size()) {
        return std::nullopt;
    }
    // The row goes immediately before the target; one dragged from above lands a place higher, as the
    // target moves up once the dragged row has left.
    const size_t landed = dragged < target ? target - 1 : target;
    table.MoveRow(dragged, landed);
    return landed;
}

std::string DeleteEventQuestion(const std::optional<std::string>& rowName)
{
    return "Are you sure you want to Delete this Event?\r\n" + rowName.value_or("Event");
}

} // namespace kelvane
