#pragma once

#include <cstdint>
#include <limits>

namespace kelvane {

// A stretch of time over which a zone's offset from UTC stays the same: [Begin, End) in Unix seconds.
struct OffsetPeriod
{
    static constexpr int64_t Always = std::numeric_limits<int64_t>::max();

    int32_t OffsetSeconds = 0; // local = UTC + offset
    int64_t Begin = -Always;
    int64_t End = Always;

    bool Contains(int64_t utcSeconds) const { return utcSeconds >= Begin && utcSeconds < End; }
};

// The user's time zone by its rules: the offset in force at an instant, and how long it holds. The
// local-time conversions are built on this one question (see LocalTime.h).
class TimeZone
{
public:
    virtual ~TimeZone() = default;
    virtual OffsetPeriod PeriodAt(int64_t utcSeconds) const = 0;
};

} // namespace kelvane
