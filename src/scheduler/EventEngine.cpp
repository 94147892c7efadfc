#include "scheduler/EventEngine.h"

#include "common/EventDateTimeText.h"
#include "common/LocalTime.h"
#include "common/RegionalDateTime.h"
#include "scheduler/EventTypes.h"
#include "scheduler/NextEvent.h"
#include "scheduler/SpecialDates.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace kelvane {
namespace {

// The weekday numbers the rule uses: Sunday 1, Monday 2, ... Saturday 7.
int32_t WeekdayNumber(DateTime value)
{
    return IsoWeekday(DecodeDateTime(value).Date) % 7 + 1;
}

DateTime TimeOfDayOf(DateTime value)
{
    return std::fabs(value - std::trunc(value));
}

enum class Kind
{
    None, // a separator or an unknown text: never due
    OneTime,
    MinuteBased,
    Daily,
    Weekly,
    Monthly,
    Yearly,
    Holiday,
    Weekday,
};

struct TypeRule
{
    Kind kind = Kind::None;
    int32_t weekday = 0; // for Kind::Weekday, the weekday number
};

// The rule of an event-type text. Names are kept in buckets by their first letter, so a row's type
// is compared with a handful of names rather than all of them.
TypeRule RuleOf(std::string_view type)
{
    using Bucket = std::vector<std::pair<std::string_view, TypeRule>>;
    static const std::array<Bucket, 256> buckets = [] {
        std::array<Bucket, 256> table;
        const auto add = [&table](std::string_view name, TypeRule rule) {
            table[static_cast<unsigned char>(name.front())].emplace_back(name, rule);
        };
        add(OneTimeEvents, {Kind::OneTime});
        add(MinuteBasedEvents, {Kind::MinuteBased});
        add(DailyRecurringEvents, {Kind::Daily});
        add(WeeklyRecurringEvents, {Kind::Weekly});
        add(MonthlyRecurringEvents, {Kind::Monthly});
        add(YearlyRecurringEvents, {Kind::Yearly});
        for (const std::string_view holiday : HolidayNames) {
            add(holiday, {Kind::Holiday});
        }
        for (size_t i = 0; i < WeekdayTypeNames.size(); ++i) {
            // The list starts with Monday, number 2; Sunday is 1.
            add(WeekdayTypeNames[i], {Kind::Weekday, static_cast<int32_t>((i + 1) % 7 + 1)});
        }
        return table;
    }();
    if (type.empty()) {
        return {};
    }
    for (const auto& [name, rule] : buckets[static_cast<unsigned char>(type.front())]) {
        if (name == type) {
            return rule;
        }
    }
    return {};
}

template <typename Integer>
std::optional<Integer> ParseDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    Integer value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Date-times compared as whole milliseconds: day counts near 45,000 lose the last digits in a
// subtraction, which would move the tolerance's inclusive edge and show as noise in the log.
int64_t Ms(DateTime value)
{
    return ToLinearMilliseconds(value);
}

double DistanceInDays(DateTime a, DateTime b)
{
    return static_cast<double>(std::llabs(Ms(a) - Ms(b))) / (SecondsPerDay * 1000.0);
}

// One row at one moment of a pass, as a kind's rule sees it. The clock is read afresh by the rules
// wherever they look at "now", as a pass that takes long must see time go on.
struct RowMoment
{
    const ScheduledEvent& Row;
    DateTime EventTime;
    DateTime PassStart;
    int64_t ToleranceMs;
    int32_t Weekday; // the weekday-type's number, for Kind::Weekday
    const Clock& LocalClock;
    const TimeZone& Zone;
};

// Where a row that ran goes next; nothing (and no problem) when it does not run after all.
struct NextTime
{
    std::optional<DateTime> When;
    std::string Problem;
};

// Later than the event time by more than twice the tolerance.
bool WellPast(const RowMoment& m, DateTime now)
{
    return Ms(now) > Ms(m.EventTime) + 2 * m.ToleranceMs;
}

// A calendar rule: once the time is well past, the next one is found from today's date.
template <DateTime (*NextDate)(DateTime today, const RowMoment&)>
NextTime CalendarNext(const RowMoment& m)
{
    const DateTime now = m.LocalClock.Now();
    if (!WellPast(m, now)) {
        return {};
    }
    return {NextDate(DateOf(now), m), {}};
}

DateTime NextDay(DateTime today, const RowMoment& m)
{
    return today + 1 + TimeOfDayOf(m.EventTime);
}

DateTime NextWeek(DateTime today, const RowMoment& m)
{
    return today + 7 + TimeOfDayOf(m.EventTime);
}

DateTime NextMonth(DateTime today, const RowMoment& m)
{
    return IncMonth(today, 1) + TimeOfDayOf(m.EventTime);
}

DateTime NextYear(DateTime today, const RowMoment& m)
{
    return IncMonth(today, 12) + TimeOfDayOf(m.EventTime);
}

bool RecurringDue(const RowMoment& m)
{
    return WellPast(m, m.LocalClock.Now());
}

// The rules of each kind of event: when a checked row is due, and where it goes once it ran. One-time
// rows have no next time: they run once and untick themselves.
struct KindRule
{
    bool (*Due)(const RowMoment&);
    NextTime (*Next)(const RowMoment&);
};

const KindRule& RuleFor(Kind kind)
{
    static const KindRule never{[](const RowMoment&) { return false; }, [](const RowMoment&) { return NextTime{}; }};
    static const KindRule oneTime{
        [](const RowMoment& m) { return std::llabs(Ms(m.PassStart) - Ms(m.EventTime)) <= m.ToleranceMs; },
        [](const RowMoment&) { return NextTime{}; }};
    static const KindRule minuteBased{
        [](const RowMoment& m) { return Ms(m.LocalClock.Now()) >= Ms(m.EventTime); },
        [](const RowMoment& m) -> NextTime {
            if (Ms(m.LocalClock.Now()) < Ms(m.EventTime)) {
                return {};
            }
            const auto minutes = ParseDecimal<int32_t>(m.Row.Minutes());
            if (!minutes) {
                return {std::nullopt, "the minutes '" + m.Row.Minutes() + "' are not a whole number"};
            }
            // Real minutes: the period is counted in UTC, so it keeps its length across a clock change;
            // in 64 bits, so a period of tens of millions of minutes does not wrap into the past.
            LocalTimeConverter converter(m.Zone);
            const auto utcNow = converter.LocalToUtc(m.LocalClock.Now());
            if (!utcNow) {
                return {std::nullopt, "the current time " + utcNow.message()};
            }
            return {converter.UtcToLocal(utcNow.value() + static_cast<double>(int64_t{*minutes} * 60) * OneSecond), {}};
        }};
    static const KindRule daily{RecurringDue, CalendarNext<NextDay>};
    static const KindRule weekly{RecurringDue, CalendarNext<NextWeek>};
    static const KindRule monthly{RecurringDue, CalendarNext<NextMonth>};
    static const KindRule yearly{RecurringDue, CalendarNext<NextYear>};
    static const KindRule holiday{RecurringDue, [](const RowMoment& m) -> NextTime {
                                      if (!WellPast(m, m.LocalClock.Now())) {
                                          return {};
                                      }
                                      return {NextHolidayDate(m.Row.EventType(), m.LocalClock), {}};
                                  }};
    static const KindRule weekday{[](const RowMoment& m) {
                                      const DateTime now = m.LocalClock.Now();
                                      return WeekdayNumber(now) == m.Weekday && WellPast(m, now);
                                  },
                                  [](const RowMoment& m) -> NextTime {
                                      const DateTime now = m.LocalClock.Now();
                                      if (!WellPast(m, now) || WeekdayNumber(now) != m.Weekday) {
                                          return {};
                                      }
                                      return {DateOf(now) + 7 + TimeOfDayOf(m.EventTime), {}};
                                  }};
    switch (kind) {
    case Kind::OneTime:
        return oneTime;
    case Kind::MinuteBased:
        return minuteBased;
    case Kind::Daily:
        return daily;
    case Kind::Weekly:
        return weekly;
    case Kind::Monthly:
        return monthly;
    case Kind::Yearly:
        return yearly;
    case Kind::Holiday:
        return holiday;
    case Kind::Weekday:
        return weekday;
    case Kind::None:
        break;
    }
    return never;
}

} // namespace

struct EventEngine::PassStep
{
    std::string LogLine;
    std::optional<ScheduledEvent> Action; // the row as it stands after the pass changed it
};

DateTime IncMonth(DateTime date, int32_t months)
{
    const CivilDate from = DecodeDateTime(date).Date;
    const int32_t monthIndex = from.Year * 12 + (from.Month - 1) + months;
    const int32_t year = monthIndex / 12;
    const int32_t month = monthIndex % 12 + 1;
    return EncodeDate(year, month, std::min(from.Day, DaysInMonth(year, month)));
}

EventEngine::EventEngine(EventTable& table, EventLog& log, Services services, EventActionContext& actions,
                         std::function<void(const std::string&)> reportProblem)
    : m_table(table), m_log(log), m_services(services), m_actions(actions), m_reportProblem(std::move(reportProblem))
{}

EventPassResult EventEngine::CheckEvents(int32_t toleranceSeconds)
{
    const RegionalFormats formats = m_services.Regional.Read();
    const Clock& clock = m_services.LocalClock;
    const DateTime t0 = clock.Now();
    const double tol = toleranceSeconds / SecondsPerDay;
    const int64_t tolMs = int64_t{toleranceSeconds} * 1000;
    m_log.AddLogLine("Checking Events");
    m_log.AddLogLine("[" + FormatRegionalDateTime(clock.Now(), formats) + "]");
    m_log.AddLogLine("Event Timer Tolerance: " + std::to_string(toleranceSeconds));

    TEventArray due;
    for (size_t index = 0; index < m_table.Rows.size(); ++index) {
        const ScheduledEvent& row = m_table.Rows[index];
        if (!row.Enabled) {
            continue; // not even read
        }
        const auto parsed = ParseEventDateTime(row.EventTime(), formats);
        if (!parsed) {
            ReportOnce(row, index, parsed.message());
            continue;
        }
        const TypeRule type = RuleOf(row.EventType());
        const RowMoment moment{row, parsed.value(), t0, tolMs, type.weekday, clock, m_services.Zone};
        if (RuleFor(type.kind).Due(moment)) {
            due.push_back({static_cast<int32_t>(index), parsed.value()});
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const TEventToProcess& a, const TEventToProcess& b) {
        return a.ScheduledTime < b.ScheduledTime;
    });

    // Nothing is performed before the pass's new state can outlive the program. The pass first moves
    // every due row on (next time, last run, has run, run count, the one-time row's check box), then has
    // the table saved, and only then starts the actions, each after its row's log lines, in the order the
    // rows were taken. A kill at any moment thus finds each row either untouched and not yet performed,
    // or moved on in the file: no occurrence runs twice. The whole pass takes one write however many rows
    // it performs (the catch-up after days away is one pass), and a pass that performs nothing takes none.
    // The log lines wait with the actions, so the log reads as it always did: each row's lines, then its
    // action's. A save that fails does not hold the actions back; the saver tells the user.
    EventPassResult result;
    std::vector<PassStep> steps;
    for (const TEventToProcess& item : due) {
        const auto index = static_cast<size_t>(item.Index);
        ScheduledEvent& row = m_table.Rows[index];
        const double d = DistanceInDays(t0, item.ScheduledTime);
        steps.push_back({"Name: " + row.Name() + " Type:" + row.EventType() + " EventTime: " + row.EventTime() +
                             "  diff: " + FormatGeneralNumber(d, formats.DecimalSeparator) +
                             " Tol :" + FormatGeneralNumber(tol, formats.DecimalSeparator),
                         std::nullopt});
        const Outcome outcome =
            Process(row, index, item.ScheduledTime, std::llabs(Ms(t0) - Ms(item.ScheduledTime)), tolMs, formats, steps);
        if (outcome == Outcome::NotRun) {
            continue;
        }
        result.Performed.push_back(index);
        if (outcome == Outcome::RanAndUnticked) {
            result.Unticked.push_back(index);
        }
        m_table.RowsUpdated(index);
    }
    if (result.Ran() && m_saveProgress) {
        m_saveProgress();
    }
    for (const PassStep& step : steps) {
        if (step.Action) {
            RunEventProcedure(*step.Action, m_actions);
        } else {
            m_log.AddLogLine(step.LogLine);
        }
    }
    // Told once the pass's work is done: a message that waits for the user must not hold it up.
    for (const std::string& message : std::exchange(m_pendingReports, {})) {
        if (m_reportProblem) {
            m_reportProblem(message);
        }
    }
    return result;
}

EventEngine::Outcome EventEngine::Process(ScheduledEvent& row, size_t index, DateTime e, int64_t dMs, int64_t tolMs,
                                          const RegionalFormats& formats, std::vector<PassStep>& steps)
{
    const auto log = [&steps](std::string line) { steps.push_back({std::move(line), std::nullopt}); };
    const Clock& clock = m_services.LocalClock;
    // Everything a run will write is read first: a row that cannot be read is left as it is.
    const auto runCount = ParseDecimal<int64_t>(row.RunCount());
    auto unreadableRunCount = [&] {
        ReportOnce(row, index, "the run count '" + row.RunCount() + "' is not a whole number");
        return Outcome::NotRun;
    };

    const TypeRule type = RuleOf(row.EventType());
    if (type.kind == Kind::OneTime) {
        if (dMs > tolMs) {
            return Outcome::NotRun;
        }
        if (row.HasRun() == "True") {
            log("Event has run, ignoring event procedure");
            return Outcome::NotRun;
        }
        if (!runCount) {
            return unreadableRunCount();
        }
        log("Called event One-Time Events");
        row.SetLastRun(FormatEventDateTime(clock.Now(), formats));
        row.SetHasRun("True");
        row.SetRunCount(std::to_string(*runCount + 1));
        row.Enabled = false;
        steps.push_back({{}, row});
        return Outcome::RanAndUnticked;
    }

    const NextTime next = RuleFor(type.kind).Next({row, e, clock.Now(), tolMs, type.weekday, clock, m_services.Zone});
    if (!next.Problem.empty()) {
        ReportOnce(row, index, next.Problem);
        return Outcome::NotRun;
    }
    if (!next.When) {
        return Outcome::NotRun;
    }
    if (!runCount) {
        return unreadableRunCount();
    }
    // A day's time of day can fall into the hour a clock change skips; the row gets the time the clock
    // will show instead, so that it stays a time that exists (and can be saved).
    row.SetEventTime(FormatEventDateTime(LocalTimeConverter(m_services.Zone).ExistingLocalTime(*next.When), formats));
    Stamp(row, *runCount, formats, steps);
    return Outcome::Ran;
}

void EventEngine::Stamp(ScheduledEvent& row, int64_t runCount, const RegionalFormats& formats,
                        std::vector<PassStep>& steps)
{
    row.SetLastRun(FormatEventDateTime(m_services.LocalClock.Now(), formats));
    row.SetHasRun("True");
    row.SetRunCount(std::to_string(runCount + 1));
    steps.push_back({{}, row});
}

void EventEngine::ReportOnce(const ScheduledEvent& row, size_t index, const std::string& problem)
{
    const std::string message = "The scheduled event \"" + row.Name() + "\" (row " + std::to_string(index + 1) +
                                ") is skipped: " + problem + ".";
    if (m_reported.insert(message).second) {
        m_pendingReports.push_back(message);
    }
}

EventPassResult EventEngine::Tick(int32_t toleranceSeconds)
{
    EventPassResult result = CheckEvents(toleranceSeconds);
    if (!result.Ran()) {
        m_log.AddLogLine("No events to run at this time..");
    }
    m_log.AddLogLine(GetNextEventText(m_table.Rows, m_services.LocalClock, m_services.Regional.Read()));
    m_log.AddLogLine(LogSeparatorLine);
    return result;
}

} // namespace kelvane
