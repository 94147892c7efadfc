#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

struct SplitTime
{
    int32_t Days = 0;
    int32_t Hours = 0;
    int32_t Minutes = 0;
    int32_t Seconds = 0;

    bool operator==(const SplitTime&) const = default;
};

// Seconds as days, hours, minutes and seconds, dividing toward zero.
SplitTime SplitSeconds(int32_t seconds);

// Panel 0: "Auto Rotate: ON | Interval: 0 days, 1 hours, 0 minutes, 0 seconds". The interval is the
// box's text; one that is no whole number counts as 0.
std::string RotationStatusText(bool autoRotateEnabled, std::string_view intervalText);

// Panel 1: the next-event line while scheduling runs, else "Event Schedules are OFF".
std::string SchedulingStatusText(bool eventTimerRunning, const std::string& nextEventText);

} // namespace kelvane
