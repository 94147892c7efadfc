#pragma once

namespace kelvane {

// How wide each status bar panel is drawn, in pixels.
struct StatusBarWidths
{
    int Rotation = 0;
    int Scheduling = 0;
    int Message = 0;

    bool operator==(const StatusBarWidths&) const = default;
};

// Shares the bar's width among the three panels, given the width each one's whole text needs. The message
// panel comes first, so that a refusal or an error can be read without widening the window: it may take
// all but a fifth of the bar for each of the other two (less when they need less). The rotation panel
// then gets what it needs, the scheduling panel next, and whatever is left widens the message panel.
StatusBarWidths ShareStatusBar(int available, int rotationNeeds, int schedulingNeeds, int messageNeeds);

} // namespace kelvane
