#pragma once

#include "library/ActiveScreensaver.h"
#include "library/ScreensaverList.h"
#include "scheduler/EventLog.h"
#include "scheduler/ScheduledEvent.h"

#include <string>
#include <vector>

namespace kelvane {

// What an event's action needs: the log, the screensaver operations, and the screensaver list (for
// closing a running screensaver of the list; none: no list to close one of).
struct EventActionContext
{
    EventLog& Log;
    ActiveScreensaverControl& Active;
    const ScreensaverList* Screensavers = nullptr;
};

// Logs the call and performs the row's action: "Activate" makes its screensaver the active one, "Run"
// starts it now, each after closing a running screensaver of the list when the close command is "True".
// A screensaver file that is missing is neither started nor set, and the log says so. Any other action
// only logs. The row itself is not changed.
void RunEventProcedure(const ScheduledEvent& row, EventActionContext& context);

} // namespace kelvane
