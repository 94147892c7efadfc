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

} // namespace

DateTime IncMonth(DateTime date, int32_t months)
{
    const CivilDate from = DecodeDateTime(date).Date;
    const int32_t monthIndex = from.Year * 12 + (from.Month - 1) + months;
    const int32_t year = monthIndex / 12;
    const int32_t month = monthIndex % 12 + 1;
    return EncodeDate(year, month, std::min(from.Day, DaysInMonth(year, month)));
}

EventEngine::EventEngine(EventTable& table, EventLog& log, Services services,
                         std::function<void(const ScheduledEvent&)> runEventProcedure,
                         std::function<void(const std::string&)> reportProblem)
    : m_table(table), m_log(log), m_services(services), m_runEventProcedure(std::move(runEventProcedure)),
      m_reportProblem(std::move(reportProblem))
{}

bool EventEngine::CheckEvents(int32_t toleranceSeconds)
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
        const auto parsed = ParseEventDateTime(row.EventTime, formats);
        if (!parsed) {
            ReportOnce(row, index, parsed.message());
            continue;
        }
        const DateTime e = parsed.value();
        const TypeRule rule = RuleOf(row.EventType);
        bool isDue = false;
        switch (rule.kind) {
        case Kind::OneTime:
            isDue = std::llabs(Ms(t0) - Ms(e)) <= tolMs;
            break;
        case Kind::Yearly:
        case Kind::Holiday:
        case Kind::Monthly:
        case Kind::Weekly:
        case Kind::Daily:
            isDue = Ms(clock.Now()) > Ms(e) + 2 * tolMs;
            break;
        case Kind::MinuteBased:
            isDue = Ms(clock.Now()) >= Ms(e);
            break;
        case Kind::Weekday: {
            const DateTime now = clock.Now();
            isDue = WeekdayNumber(now) == rule.weekday && Ms(now) > Ms(e) + 2 * tolMs;
            break;
        }
        case Kind::None:
            break;
        }
        if (isDue) {
            due.push_back({static_cast<int32_t>(index), e});
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const TEventToProcess& a, const TEventToProcess& b) {
        return a.ScheduledTime < b.ScheduledTime;
    });

    bool ran = false;
    for (const TEventToProcess& item : due) {
        ScheduledEvent& row = m_table.Rows[static_cast<size_t>(item.Index)];
        const double d = DistanceInDays(t0, item.ScheduledTime);
        m_log.AddLogLine("Name: " + row.Name + " Type:" + row.EventType + " EventTime: " + row.EventTime +
                         "  diff: " + FormatGeneralNumber(d, formats.DecimalSeparator) +
                         " Tol :" + FormatGeneralNumber(tol, formats.DecimalSeparator));
        if (Process(row, item.ScheduledTime, std::llabs(Ms(t0) - Ms(item.ScheduledTime)), tolMs, formats) ==
            Outcome::Ran) {
            ran = true;
        }
    }
    return ran;
}

EventEngine::Outcome EventEngine::Process(ScheduledEvent& row, DateTime e, int64_t dMs, int64_t tolMs,
                                          const RegionalFormats& formats)
{
    // Later than the event time by more than twice the tolerance, at a fresh reading of the clock.
    const auto wellPast = [&](DateTime now) { return Ms(now) > Ms(e) + 2 * tolMs; };
    const Clock& clock = m_services.LocalClock;
    const std::string_view type = row.EventType;
    const size_t index = static_cast<size_t>(&row - m_table.Rows.data());

    // Everything a run will write is read first: a row that cannot be read is left as it is.
    const auto runCount = ParseDecimal<int64_t>(row.RunCount);
    auto unreadableRunCount = [&] {
        ReportOnce(row, index, "the run count '" + row.RunCount + "' is not a whole number");
        return Outcome::NotRun;
    };

    const TypeRule rule = RuleOf(type);
    if (dMs <= tolMs && rule.kind == Kind::OneTime) {
        if (row.HasRun == "True") {
            m_log.AddLogLine("Event has run, ignoring event procedure");
            return Outcome::NotRun;
        }
        if (!runCount) {
            return unreadableRunCount();
        }
        m_log.AddLogLine("Called event One-Time Events");
        row.LastRun = FormatEventDateTime(clock.Now(), formats);
        row.HasRun = "True";
        row.RunCount = std::to_string(*runCount + 1);
        m_runEventProcedure(row);
        row.Enabled = false;
        return Outcome::Ran;
    }

    std::optional<DateTime> next;
    switch (rule.kind) {
    case Kind::Yearly:
        if (wellPast(clock.Now())) {
            next = IncMonth(DateOf(clock.Now()), 12) + TimeOfDayOf(e);
        }
        break;
    case Kind::Holiday:
        if (wellPast(clock.Now())) {
            next = NextHolidayDate(type, clock);
        }
        break;
    case Kind::Monthly:
        if (wellPast(clock.Now())) {
            next = IncMonth(DateOf(clock.Now()), 1) + TimeOfDayOf(e);
        }
        break;
    case Kind::Weekly:
        if (wellPast(clock.Now())) {
            next = DateOf(clock.Now()) + 7 + TimeOfDayOf(e);
        }
        break;
    case Kind::Daily:
        if (wellPast(clock.Now())) {
            next = DateOf(clock.Now()) + 1 + TimeOfDayOf(e);
        }
        break;
    case Kind::MinuteBased:
        if (Ms(clock.Now()) >= Ms(e)) {
            const auto minutes = ParseDecimal<int32_t>(row.Minutes);
            if (!minutes) {
                ReportOnce(row, index, "the minutes '" + row.Minutes + "' are not a whole number");
                return Outcome::NotRun;
            }
            // Real minutes: the period is counted in UTC, so it keeps its length across a clock change.
            LocalTimeConverter converter(m_services.Zone);
            const auto utcNow = converter.LocalToUtc(clock.Now());
            if (!utcNow) {
                ReportOnce(row, index, "the current time " + utcNow.message());
                return Outcome::NotRun;
            }
            // In 64 bits: a period of tens of millions of minutes does not wrap into the past.
            next = converter.UtcToLocal(utcNow.value() + static_cast<double>(int64_t{*minutes} * 60) * OneSecond);
        }
        break;
    case Kind::Weekday: {
        const DateTime now = clock.Now();
        if (wellPast(now) && WeekdayNumber(now) == rule.weekday) {
            next = DateOf(now) + 7 + TimeOfDayOf(e);
        }
        break;
    }
    case Kind::OneTime:
    case Kind::None:
        break;
    }
    if (!next) {
        return Outcome::NotRun;
    }
    if (!runCount) {
        return unreadableRunCount();
    }
    // A day's time of day can fall into the hour a clock change skips; the row gets the time the clock
    // will show instead, so that it stays a time that exists (and can be saved).
    row.EventTime = FormatEventDateTime(LocalTimeConverter(m_services.Zone).ExistingLocalTime(*next), formats);
    Stamp(row, *runCount, formats);
    return Outcome::Ran;
}

void EventEngine::Stamp(ScheduledEvent& row, int64_t runCount, const RegionalFormats& formats)
{
    row.LastRun = FormatEventDateTime(m_services.LocalClock.Now(), formats);
    row.HasRun = "True";
    row.RunCount = std::to_string(runCount + 1);
    m_runEventProcedure(row);
}

void EventEngine::ReportOnce(const ScheduledEvent& row, size_t index, const std::string& problem)
{
    const std::string message =
        "The scheduled event \"" + row.Name + "\" (row " + std::to_string(index + 1) + ") is skipped: " + problem + ".";
    if (m_reported.insert(message).second && m_reportProblem) {
        m_reportProblem(message);
    }
}

void EventEngine::Tick(int32_t toleranceSeconds)
{
    if (!CheckEvents(toleranceSeconds)) {
        m_log.AddLogLine("No events to run at this time..");
    }
    m_log.AddLogLine(GetNextEventText(m_table.Rows, m_services.LocalClock, m_services.Regional.Read()));
    m_log.AddLogLine(LogSeparatorLine);
}

} // namespace kelvane
