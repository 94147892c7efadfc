#pragma once

#include "platform/ScreensaverDaemon.h"
#include "platform/linux/XScreenSaverDaemon.h"

#include <string>

namespace kelvane::platform {

// Starts the XScreenSaver daemon, found on the search path, for this session or with every session.
class XScreenSaverStarter final : public ScreensaverDaemon
{
public:
    explicit XScreenSaverStarter(StatusNotices& notices);

    void CheckRunning(std::function<void(bool running)> answer) override;
    void Start() override;
    Status StartWithEverySession() override;

    // The entry in the user's autostart folder. It has the name of the one a system may ship, so that
    // it takes that one's place rather than start a second daemon.
    static std::string EntryFileName();

private:
    XScreenSaverDaemon m_daemon;
};

} // namespace kelvane::platform
