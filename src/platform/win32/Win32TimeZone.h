#pragma once

#include "platform/TimeZone.h"

#include <optional>
#include <vector>

namespace kelvane::platform {

// A zone's rules as the Win32 time-zone functions give them for a year: offsets in minutes as biases
// (UTC = local + bias) and the two changes as "the n-th weekday of a month at a time" (week 5 is the
// last), daylight time starting at a standard-time clock reading and ending at a daylight-time one.
struct ZoneRules
{
    struct Change
    {
        int32_t Month = 0;     // 0: the zone has no daylight-saving time
        int32_t DayOfWeek = 0; // 0 is Sunday
        int32_t Week = 1;      // 1 to 5
        int32_t Hour = 0;
        int32_t Minute = 0;
        int32_t Second = 0;
    };
    int32_t Bias = 0;
    int32_t StandardBias = 0;
    int32_t DaylightBias = 0;
    Change StandardDate; // daylight time ends
    Change DaylightDate; // daylight time begins
};

struct OffsetChange
{
    int64_t AtUtcSeconds = 0;
    int32_t OffsetAfter = 0; // seconds, local = UTC + offset
};

// The zone's changes within one calendar year, in time order.
std::vector<OffsetChange> ChangesOfYear(const ZoneRules& rules, int32_t year);

// The user's zone through GetTimeZoneInformationForYear, or fixed rules for every year.
class Win32TimeZone final : public TimeZone
{
public:
    Win32TimeZone() = default;
    explicit Win32TimeZone(const ZoneRules& rules) : m_fixed(rules) {}

    OffsetPeriod PeriodAt(int64_t utcSeconds) const override;

private:
    ZoneRules RulesOf(int32_t year) const;

    std::optional<ZoneRules> m_fixed;
};

} // namespace kelvane::platform
