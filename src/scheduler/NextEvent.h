#pragma once

#include "common/Clock.h"
#include "common/RegionalFormats.h"
#include "scheduler/ScheduledEvent.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvane {

struct NextEvent
{
    std::string Name;
    double DaysAway = 0.0;
};

// The checked row whose event time is the nearest one still in the future (strictly); the upper row
// wins a tie. A row whose event time cannot be read cannot be next and is passed over.
std::optional<NextEvent> FindNextEvent(const std::vector<ScheduledEvent>& rows, const Clock& clock,
                                       const RegionalFormats& formats);

// " in: 1 Day(s), 2 Hour(s), 3 Minute(s), and 4 Second(s)" for a distance in days (seconds are not
// rounded up).
std::string DistanceInWords(double days);

// "Next Event: <name> in: ..." or "Next Event: No upcoming events found.".
std::string GetNextEventText(const std::vector<ScheduledEvent>& rows, const Clock& clock,
                             const RegionalFormats& formats);

// The same for the message box of "Get Next Event Time": "Next Event <name> in: ..." or
// "No upcoming events found.".
std::string NextEventMessage(const std::vector<ScheduledEvent>& rows, const Clock& clock,
                             const RegionalFormats& formats);

} // namespace kelvane
