#pragma once

#include "common/Clock.h"
#include "common/LocalTime.h"
#include "common/TimeZone.h"

namespace kelvane {

// The machine's clock, turned into local time by the user's zone. The zone's current offset period is
// kept between readings: a scheduler pass reads the clock once per row.
class SystemClock final : public Clock
{
public:
    explicit SystemClock(const TimeZone& zone) : m_converter(zone) {}
    DateTime Now() const override;

private:
    mutable LocalTimeConverter m_converter;
};

} // namespace kelvane
