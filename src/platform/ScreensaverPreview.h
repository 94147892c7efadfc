#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvane::platform {

// A screensaver drawing into a small window of the program's own, one at a time.
class ScreensaverPreview
{
public:
    virtual ~ScreensaverPreview() = default;

    // Starts the screensaver drawing into the native window; a preview that runs ends first. False
    // when this screensaver cannot draw into a window here (nothing then runs).
    virtual bool Start(const std::string& path, uint64_t windowId) = 0;
    // Ends the preview that runs, if any; the process never outlives the call by more than a moment.
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    // The preview's process while it runs: it is the program's own, never a running screensaver to end.
    virtual std::optional<int64_t> ProcessId() const = 0;
    // False where the system cannot show another program's drawing inside the pane: the pane then
    // starts nothing and says that the screensaver shows only in its own window.
    virtual bool ShowsInPane() const { return true; }
};

} // namespace kelvane::platform
