#pragma once

#include "common/Clock.h"
#include "common/LocalTime.h"
#include "platform/TimeZone.h"

#include <cstdint>

namespace kelvane {

// The system's wall clock: milliseconds since 1 January 1970 UTC, from the cheapest reading the system
// offers that is never more than a few milliseconds behind. One implementation per system, beside that
// system's platform layer.
int64_t WallClockUnixMilliseconds();

// The machine's clock, turned into local time by the user's zone. A scheduler pass reads the clock once
// per row, so each reading costs little: the zone's current offset period is kept between readings, and
// so is the last reading's local time, which the next reading within the same millisecond returns as is.
class SystemClock final : public Clock
{
public:
    explicit SystemClock(const TimeZone& zone) : m_converter(zone) {}
    DateTime Now() const override;

private:
    mutable LocalTimeConverter m_converter;
    mutable int64_t m_lastMilliseconds = INT64_MIN;
    mutable DateTime m_lastNow = 0.0;
};

} // namespace kelvane
