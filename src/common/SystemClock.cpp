#include "common/SystemClock.h"

#include <chrono>

namespace kelvane {

DateTime SystemClock::Now() const
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    const int64_t second = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    // Straight from the millisecond count to the local day count: this runs once per row in a pass.
    constexpr int64_t kUnixEpochMilliseconds = 25569LL * 86400000;
    return FromLinearMilliseconds(kUnixEpochMilliseconds + ms + int64_t{m_converter.OffsetAt(second)} * 1000);
}

} // namespace kelvane
