#pragma once

#include "common/Clock.h"
#include "platform/RegionalSettings.h"
#include "platform/TimeZone.h"

#include <algorithm>
#include <vector>

namespace kelvane::test {

// A clock that says what the test sets.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(DateTime at = 45000.0) : now(at) {}
    DateTime Now() const override { return now; }
    DateTime now;
};

// A zone with a base offset and the offset changes the test lists, each at a UTC instant.
class FakeTimeZone final : public TimeZone
{
public:
    struct Change
    {
        int64_t AtUtcSeconds;
        int32_t OffsetAfter;
    };

    explicit FakeTimeZone(int32_t baseOffset = 0, std::vector<Change> changes = {})
        : m_base(baseOffset), m_changes(std::move(changes))
    {}

    OffsetPeriod PeriodAt(int64_t utcSeconds) const override
    {
        ++lookups;
        OffsetPeriod period{m_base, -OffsetPeriod::Always, OffsetPeriod::Always};
        for (const Change& change : m_changes) {
            if (change.AtUtcSeconds <= utcSeconds) {
                period = {change.OffsetAfter, change.AtUtcSeconds, OffsetPeriod::Always};
            } else {
                period.End = change.AtUtcSeconds;
                break;
            }
        }
        return period;
    }

    mutable int lookups = 0;

private:
    int32_t m_base;
    std::vector<Change> m_changes;
};

// Eastern time of 2024: standard -5 h; daylight time from 10 March 07:00 UTC (02:00 local jumps to 03:00)
// to 3 November 06:00 UTC (02:00 local falls back to 01:00).
inline FakeTimeZone EasternTime2024()
{
    const auto at = [](int32_t month, int32_t day, int32_t hour) {
        return ToUnixSeconds(EncodeDateTime({{2024, month, day}, {hour, 0, 0, 0}}));
    };
    return FakeTimeZone(-5 * 3600, {{at(3, 10, 7), -4 * 3600}, {at(11, 3, 6), -5 * 3600}});
}

class FakeRegionalSettings final : public RegionalSettings
{
public:
    explicit FakeRegionalSettings(RegionalFormats read = {}) : formats(std::move(read)) {}
    RegionalFormats Read() const override { return formats; }
    RegionalFormats formats;
};

} // namespace kelvane::test
