#include "common/StatusBarWidths.h"

#include <algorithm>

namespace kelvane {

StatusBarWidths ShareStatusBar(int available, int rotationNeeds, int schedulingNeeds, int messageNeeds)
{
    available = std::max(available, 0);
    rotationNeeds = std::max(rotationNeeds, 0);
    schedulingNeeds = std::max(schedulingNeeds, 0);
    // What the first two panels keep however long the message is: enough to tell what they are about.
    const int rotationKeeps = std::min(rotationNeeds, available / 5);
    const int schedulingKeeps = std::min(schedulingNeeds, available / 5);
    const int messageClaims = std::clamp(messageNeeds, 0, std::max(available - rotationKeeps - schedulingKeeps, 0));

    StatusBarWidths widths;
    int left = available - messageClaims;
    widths.Rotation = std::min(rotationNeeds, left - schedulingKeeps);
    left -= widths.Rotation;
    widths.Scheduling = std::min(schedulingNeeds, left);
    left -= widths.Scheduling;
    widths.Message = messageClaims + left;
    return widths;
}

} // namespace kelvane
