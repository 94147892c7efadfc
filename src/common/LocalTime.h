#pragma once

#include "common/DateTime.h"
#include "common/Status.h"
#include "platform/TimeZone.h"

namespace kelvane {

// Conversions between local wall-clock time and UTC by a zone's rules. Keeps the last offset period it
// looked up, so converting many date-times near one another asks the zone only a few times.
class LocalTimeConverter
{
public:
    explicit LocalTimeConverter(const TimeZone& zone) : m_zone(zone) {}

    // Never fails.
    DateTime UtcToLocal(DateTime utc);

    // Subtracts the offset in force at that local time, in whole seconds. In the hour that occurs twice
    // when daylight-saving time ends, the later occurrence (standard time) is taken. A local time in the
    // hour skipped when it begins does not exist: an error saying it lies in that hour.
    Result<DateTime> LocalToUtc(DateTime local);

    // The local time as the clock reads it: a time in the hour skipped when daylight saving time begins
    // is moved on by the length of the skip (02:30 becomes 03:30), as a clock that was not changed
    // would have reached it; any other time stays as it is.
    DateTime ExistingLocalTime(DateTime local);

    // The zone's offset, in seconds, at a Unix time.
    int32_t OffsetAt(int64_t utcSeconds);

private:
    const TimeZone& m_zone;
    OffsetPeriod m_cached{0, 0, 0}; // empty until the first look-up
};

DateTime UtcToLocal(const TimeZone& zone, DateTime utc);
Result<DateTime> LocalToUtc(const TimeZone& zone, DateTime local);

} // namespace kelvane
