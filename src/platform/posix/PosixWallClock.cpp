// The wall clock on systems with POSIX clocks.
#include "common/SystemClock.h"

#include <chrono>
#include <time.h>

namespace kelvane {

int64_t WallClockUnixMilliseconds()
{
#if defined(CLOCK_REALTIME_COARSE)
    // The coarse clock is the time the kernel stored at its last tick (a few milliseconds ago at most),
    // read without the precise clock's counter read and scaling: several times cheaper, and the scheduler
    // reads the clock once per row, against event times kept to the second.
    timespec now{};
    if (::clock_gettime(CLOCK_REALTIME_COARSE, &now) == 0) {
        return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
    }
#endif
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
}

} // namespace kelvane
