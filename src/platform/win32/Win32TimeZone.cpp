#include "platform/win32/Win32TimeZone.h"

#include "common/DateTime.h"

#include <algorithm>
#include <windows.h>

namespace kelvane::platform {
namespace {

// The local clock reading of a change in a year, as Unix seconds counted as if local were UTC.
int64_t LocalSecondsOf(const ZoneRules::Change& change, int32_t year)
{
    const int32_t firstWeekday = IsoWeekday({year, change.Month, 1}) % 7; // 0 is Sunday, as in the rules
    int32_t day = 1 + ((change.DayOfWeek - firstWeekday) % 7 + 7) % 7 + 7 * (change.Week - 1);
    while (day > DaysInMonth(year, change.Month)) {
        day -= 7; // week 5 means the last such weekday of the month
    }
    return ToUnixSeconds(EncodeDateTime({{year, change.Month, day}, {change.Hour, change.Minute, change.Second, 0}}));
}

} // namespace

std::vector<OffsetChange> ChangesOfYear(const ZoneRules& rules, int32_t year)
{
    if (rules.StandardDate.Month == 0 || rules.DaylightDate.Month == 0) {
        return {};
    }
    const int32_t standard = -(rules.Bias + rules.StandardBias) * 60;
    const int32_t daylight = -(rules.Bias + rules.DaylightBias) * 60;
    std::vector<OffsetChange> changes{
        // Daylight time begins at a reading of the standard-time clock, and ends at one of the daylight clock.
        {LocalSecondsOf(rules.DaylightDate, year) - standard, daylight},
        {LocalSecondsOf(rules.StandardDate, year) - daylight, standard},
    };
    std::sort(changes.begin(), changes.end(),
              [](const OffsetChange& a, const OffsetChange& b) { return a.AtUtcSeconds < b.AtUtcSeconds; });
    return changes;
}

ZoneRules Win32TimeZone::RulesOf(int32_t year) const
{
    if (m_fixed) {
        return *m_fixed;
    }
    ZoneRules rules;
    TIME_ZONE_INFORMATION info{};
    if (!GetTimeZoneInformationForYear(static_cast<USHORT>(year), nullptr, &info)) {
        return rules;
    }
    const auto change = [](const SYSTEMTIME& time) {
        return ZoneRules::Change{time.wMonth, time.wDayOfWeek, time.wDay, time.wHour, time.wMinute, time.wSecond};
    };
    rules.Bias = info.Bias;
    rules.StandardBias = info.StandardBias;
    rules.DaylightBias = info.DaylightBias;
    rules.StandardDate = change(info.StandardDate);
    rules.DaylightDate = change(info.DaylightDate);
    return rules;
}

OffsetPeriod Win32TimeZone::PeriodAt(int64_t utcSeconds) const
{
    const int32_t year = DecodeDateTime(FromUnixSeconds(utcSeconds)).Date.Year;
    // The changes of the year before and after bound every period that touches this year.
    std::vector<OffsetChange> changes;
    for (int32_t y = year - 1; y <= year + 1; ++y) {
        const std::vector<OffsetChange> ofYear = ChangesOfYear(RulesOf(y), y);
        changes.insert(changes.end(), ofYear.begin(), ofYear.end());
    }
    const ZoneRules rules = RulesOf(year);
    OffsetPeriod period;
    if (changes.empty()) {
        period.OffsetSeconds = -(rules.Bias + rules.StandardBias) * 60;
        return period; // no daylight-saving time: one offset for ever
    }
    for (size_t i = 0; i < changes.size(); ++i) {
        if (changes[i].AtUtcSeconds > utcSeconds) {
            period.End = changes[i].AtUtcSeconds;
            if (i > 0) {
                period.Begin = changes[i - 1].AtUtcSeconds;
                period.OffsetSeconds = changes[i - 1].OffsetAfter;
            } else {
                // Before the first change known here: the offset the first change leaves.
                period.OffsetSeconds = changes[i].OffsetAfter == -(rules.Bias + rules.StandardBias) * 60
                                           ? -(rules.Bias + rules.DaylightBias) * 60
                                           : -(rules.Bias + rules.StandardBias) * 60;
                period.End = changes[i].AtUtcSeconds;
            }
            return period;
        }
    }
    period.Begin = changes.back().AtUtcSeconds;
    period.OffsetSeconds = changes.back().OffsetAfter;
    return period;
}

} // namespace kelvane::platform
