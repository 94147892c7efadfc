#include "common/LocalTime.h"

namespace kelvane {
namespace {

constexpr int64_t kUnixEpochMilliseconds = 25569LL * 86400000;

// The Unix second a millisecond count falls in.
int64_t UnixSecondOf(int64_t linearMilliseconds)
{
    const int64_t ms = linearMilliseconds - kUnixEpochMilliseconds;
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

} // namespace

int32_t LocalTimeConverter::OffsetAt(int64_t utcSeconds)
{
    if (!m_cached.Contains(utcSeconds)) {
        m_cached = m_zone.PeriodAt(utcSeconds);
    }
    return m_cached.OffsetSeconds;
}

// Both directions work on whole milliseconds, so an instant that goes to local time and back comes
// back with the very same bits.
DateTime LocalTimeConverter::UtcToLocal(DateTime utc)
{
    const int64_t ms = ToLinearMilliseconds(utc);
    return FromLinearMilliseconds(ms + int64_t{OffsetAt(UnixSecondOf(ms))} * 1000);
}

Result<DateTime> LocalTimeConverter::LocalToUtc(DateTime local)
{
    const int64_t ms = ToLinearMilliseconds(local);
    const int64_t localSeconds = UnixSecondOf(ms);
    // An offset that can be in force at this local time is one in force a day before or after it; each
    // candidate is right when the instant it gives really has that offset.
    constexpr int64_t kDay = 86400;
    const int32_t candidates[] = {OffsetAt(localSeconds - kDay), OffsetAt(localSeconds + kDay)};
    bool found = false;
    int32_t chosen = 0;
    for (const int32_t offset : candidates) {
        if (OffsetAt(localSeconds - offset) != offset) {
            continue;
        }
        // Two valid offsets: the hour happens twice; the smaller offset gives the later instant.
        if (!found || offset < chosen) {
            chosen = offset;
        }
        found = true;
    }
    if (!found) {
        return Result<DateTime>::Error("lies in the hour skipped when daylight saving time begins");
    }
    return FromLinearMilliseconds(ms - int64_t{chosen} * 1000);
}

DateTime LocalTimeConverter::ExistingLocalTime(DateTime local)
{
    if (LocalToUtc(local)) {
        return local;
    }
    // Read with the offset in force before the skip, the time is an instant after the change; the clock
    // shows that instant in the new offset.
    const int64_t ms = ToLinearMilliseconds(local);
    constexpr int64_t kDay = 86400;
    const int32_t before = OffsetAt(UnixSecondOf(ms) - kDay);
    return UtcToLocal(FromLinearMilliseconds(ms - int64_t{before} * 1000));
}

DateTime UtcToLocal(const TimeZone& zone, DateTime utc)
{
    return LocalTimeConverter(zone).UtcToLocal(utc);
}

Result<DateTime> LocalToUtc(const TimeZone& zone, DateTime local)
{
    return LocalTimeConverter(zone).LocalToUtc(local);
}

} // namespace kelvane
