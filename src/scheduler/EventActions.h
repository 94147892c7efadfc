#pragma once

#include "library/ActiveScreensaver.h"
#include "scheduler/EventLog.h"
#include "scheduler/ScheduledEvent.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvane {

// What an event's action needs: the log, the screensaver operations, and the list's paths in list
// order (for closing a running screensaver of the list).
struct EventActionContext
{
    EventLog& Log;
    ActiveScreensaverControl& Active;
    platform::Shell& DesktopShell;
    std::function<std::vector<std::string>()> ScreensaverListPaths;
};

// Logs the call and performs the row's action: "Activate" makes its screensaver the active one, "Run"
// starts it now, each after closing a running screensaver of the list when the close command is "True".
// Any other action only logs. The row itself is not changed.
void RunEventProcedure(const ScheduledEvent& row, EventActionContext& context);

} // namespace kelvane
