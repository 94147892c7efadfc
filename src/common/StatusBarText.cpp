#include "common/StatusBarText.h"

#include <charconv>

namespace kelvane {

SplitTime SplitSeconds(int32_t seconds)
{
    return {seconds / 86400, (seconds % 86400) / 3600, ((seconds % 86400) % 3600) / 60,
            ((seconds % 86400) % 3600) % 60};
}

std::string RotationStatusText(bool autoRotateEnabled, std::string_view intervalText)
{
    int32_t seconds = 0;
    const auto [end, ec] = std::from_chars(intervalText.data(), intervalText.data() + intervalText.size(), seconds);
    if (ec != std::errc() || end != intervalText.data() + intervalText.size()) {
        seconds = 0;
    }
    const SplitTime t = SplitSeconds(seconds);
    return std::string(autoRotateEnabled ? "Auto Rotate: ON | Interval: " : "Auto Rotate: OFF | Interval: ") +
           std::to_string(t.Days) + " days, " + std::to_string(t.Hours) + " hours, " + std::to_string(t.Minutes) +
           " minutes, " + std::to_string(t.Seconds) + " seconds";
}

std::string SchedulingStatusText(bool eventTimerRunning, const std::string& nextEventText)
{
    return eventTimerRunning ? nextEventText : "Event Schedules are OFF";
}

} // namespace kelvane
