#pragma once

#include "library/ActiveScreensaver.h"
#include "settings/SettingsFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {

// Where the rotation stands: the position of the row used by the last step (-1 before the first), and
// the row count that step saw.
struct RotationState
{
    int32_t RotationIndex = -1;
    int32_t RotationCount = 0;
};

// One rotation step over the list's paths: closes a running screensaver of the list, then runs or
// activates the next row, wrapping to the top after the last (a row whose file is missing is passed
// over, and the next step goes on from it). Nothing happens with an empty list. Gives the path used.
std::optional<std::string> RotationStep(RotationState& state, const std::vector<std::string>& listPaths,
                                        RotationAction action, ActiveScreensaverControl& active);

inline constexpr const char* IntervalTooLowMessage =
    "You have entered an interval that is too low, please adjust to prevent excessive resource use. Interval "
    "value not allowed.";
inline constexpr const char* IntervalMaximumWarning =
    "You have entered the maximum allowed seconds.\r\nPlease use the Event Scheduler for extended intervals.";

// What a new value of the interval box does.
struct IntervalChange
{
    std::optional<int32_t> TimerMs;     // the switch timer's new period; nothing: the old one stays
    std::optional<std::string> Status;  // for the message panel
    std::optional<std::string> Warning; // for a warning box, after the period is in force
};

IntervalChange IntervalBoxChange(int64_t seconds);

} // namespace kelvane
