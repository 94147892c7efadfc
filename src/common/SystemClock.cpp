#include "common/SystemClock.h"

namespace kelvane {

DateTime SystemClock::Now() const
{
    const int64_t ms = WallClockUnixMilliseconds();
    if (ms == m_lastMilliseconds) {
        return m_lastNow;
    }
    const int64_t second = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    // Straight from the millisecond count to the local day count.
    constexpr int64_t kUnixEpochMilliseconds = 25569LL * 86400000;
    m_lastNow = FromLinearMilliseconds(kUnixEpochMilliseconds + ms + int64_t{m_converter.OffsetAt(second)} * 1000);
    m_lastMilliseconds = ms;
    return m_lastNow;
}

} // namespace kelvane
