#include "scheduler/EventActions.h"

namespace kelvane {

void RunEventProcedure(const ScheduledEvent& row, EventActionContext& context)
{
    context.Log.AddLogLine("Event Procedure Called for " + row.Name());
    const bool activate = row.Action() == "Activate";
    if (!activate && row.Action() != "Run") {
        return;
    }
    if (row.CloseCommand() == "True") {
        context.Active.CloseRunningScreensaver(context.Screensavers ? context.Screensavers->Paths()
                                                                    : std::vector<std::string>{});
    }
    const bool done = activate ? context.Active.ActivateScreensaver(row.Screensaver())
                               : context.Active.RunScreensaverFile(row.Screensaver());
    if (!done) {
        context.Log.AddLogLine(MissingScreensaverText(row.Screensaver()));
    }
}

} // namespace kelvane
