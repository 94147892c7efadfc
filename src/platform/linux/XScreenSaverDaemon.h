#pragma once

#include "platform/StatusNotices.h"

#include <QObject>
#include <QStringList>

#include <chrono>
#include <functional>

namespace kelvane::platform {

// The running XScreenSaver daemon, reached through xscreensaver-command. A command runs in the
// background and its outcome comes back on the event loop: the window never waits for the daemon. A
// command the daemon does not answer within the time limit is ended and reported.
class XScreenSaverDaemon final : public QObject
{
public:
    using Done = std::function<void(bool answered)>;

    XScreenSaverDaemon(StatusNotices& notices, std::chrono::milliseconds timeLimit = std::chrono::seconds(5));

    // Sends "xscreensaver-command <arguments>". Done learns whether the daemon carried it out; a
    // failure is reported to the notices unless Done takes it over (quietFailure).
    void Send(const QStringList& arguments, Done done = {}, bool quietFailure = false);

private:
    StatusNotices& m_notices;
    std::chrono::milliseconds m_timeLimit;
};

} // namespace kelvane::platform
