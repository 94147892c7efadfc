#pragma once

#include "common/Clock.h"
#include "common/TimeZone.h"

namespace kelvane {

// The machine's clock, turned into local time by the user's zone.
class SystemClock final : public Clock
{
public:
    explicit SystemClock(const TimeZone& zone) : m_zone(zone) {}
    DateTime Now() const override;

private:
    const TimeZone& m_zone;
};

} // namespace kelvane
