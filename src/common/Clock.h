#pragma once

#include "common/DateTime.h"

namespace kelvane {

// The current local wall-clock date-time. Everything that asks "what time is it" asks this, so tests
// can set the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
};

} // namespace kelvane
