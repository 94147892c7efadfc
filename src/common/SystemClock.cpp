#include "common/SystemClock.h"

#include "common/LocalTime.h"

#include <chrono>

namespace kelvane {

DateTime SystemClock::Now() const
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return UtcToLocal(m_zone, UnixEpochDay + static_cast<double>(ms) / (SecondsPerDay * 1000.0));
}

} // namespace kelvane
