#pragma once

#include "common/Status.h"

#include <functional>
#include <string>

namespace kelvane::platform {

// The desktop's screensaver daemon, where one is installed but need not be running: a setting changed
// while it is not running waits in its file until it starts.
class ScreensaverDaemon
{
public:
    virtual ~ScreensaverDaemon() = default;

    // Asks in the background whether the daemon runs; the answer comes later, on the event loop.
    virtual void CheckRunning(std::function<void(bool running)> answer) = 0;
    // Starts it for this session, in the background, without waiting for it.
    virtual void Start() = 0;
    // Starts it with every session from now on.
    virtual Status StartWithEverySession() = 0;
};

} // namespace kelvane::platform
