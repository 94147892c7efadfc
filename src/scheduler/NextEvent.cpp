#include "scheduler/NextEvent.h"

#include "common/EventDateTimeText.h"

#include <cmath>

namespace kelvane {

std::optional<NextEvent> FindNextEvent(const std::vector<ScheduledEvent>& rows, const Clock& clock,
                                       const RegionalFormats& formats)
{
    const DateTime now = clock.Now();
    std::optional<NextEvent> best;
    for (const ScheduledEvent& row : rows) {
        if (!row.Enabled) {
            continue;
        }
        const auto when = ParseEventDateTime(row.EventTime(), formats);
        if (!when || when.value() <= now) {
            continue;
        }
        const double distance = when.value() - now;
        if (!best || distance < best->DaysAway) {
            best = NextEvent{row.Name(), distance};
        }
    }
    return best;
}

std::string DistanceInWords(double days)
{
    constexpr int64_t kMsPerDay = 86400000;
    const auto ms = static_cast<int64_t>(std::llround(days * static_cast<double>(kMsPerDay)));
    const int64_t wholeDays = ms / kMsPerDay;
    const int64_t seconds = (ms % kMsPerDay) / 1000;
    return " in: " + std::to_string(wholeDays) + " Day(s), " + std::to_string(seconds / 3600) + " Hour(s), " +
           std::to_string(seconds / 60 % 60) + " Minute(s), and " + std::to_string(seconds % 60) + " Second(s)";
}

std::string GetNextEventText(const std::vector<ScheduledEvent>& rows, const Clock& clock,
                             const RegionalFormats& formats)
{
    const auto next = FindNextEvent(rows, clock, formats);
    if (!next) {
        return "Next Event: No upcoming events found.";
    }
    return "Next Event: " + next->Name + DistanceInWords(next->DaysAway);
}

std::string NextEventMessage(const std::vector<ScheduledEvent>& rows, const Clock& clock,
                             const RegionalFormats& formats)
{
    const auto next = FindNextEvent(rows, clock, formats);
    if (!next) {
        return "No upcoming events found.";
    }
    return "Next Event " + next->Name + DistanceInWords(next->DaysAway);
}

} // namespace kelvane
