// The wall clock on Windows.
#include "common/SystemClock.h"

#include <windows.h>

namespace kelvane {

int64_t WallClockUnixMilliseconds()
{
    // The system time as of the last clock interrupt, read from shared memory without a counter read:
    // the cheapest reading, and fresh to the interrupt's period, against event times kept to the second.
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const uint64_t ticks = (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime; // 100 ns since 1601
    constexpr uint64_t kUnixEpochTicks = 116444736000000000ULL;
    return static_cast<int64_t>(ticks / 10000) - static_cast<int64_t>(kUnixEpochTicks / 10000);
}

} // namespace kelvane
