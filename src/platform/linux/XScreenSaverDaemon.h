#pragma once

#include "platform/StatusNotices.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <functional>

namespace kelvane::platform {

// The running XScreenSaver daemon, reached through xscreensaver-command. A command runs in the
// background and its outcome comes back on the event loop: the window never waits for the daemon. A
// command the daemon does not answer within the time limit is ended and reported. Commands are carried
// out one after the other, in the order they were sent: one that ends the screensaver and one that
// starts the next would otherwise race, and the daemon could take them the other way round.
class XScreenSaverDaemon final : public QObject
{
public:
    // Whether the daemon carried the command out, and what it said (its standard output).
    using Done = std::function<void(bool answered, const QString& said)>;
    // A step of the order that is no command: it is run once everything sent before it has finished,
    // and holds everything sent after it until it calls finished.
    using Step = std::function<void(std::function<void()> finished)>;

    XScreenSaverDaemon(StatusNotices& notices, std::chrono::milliseconds timeLimit = std::chrono::seconds(5));
    ~XScreenSaverDaemon() override;

    // Sends "xscreensaver-command <arguments>" once the commands before it have finished. Done learns
    // whether the daemon carried it out; a failure is reported to the notices unless Done takes it over
    // (quietFailure).
    void Send(const QStringList& arguments, Done done = {}, bool quietFailure = false);
    // Runs the step in the order of the commands: at once when none is waiting or running.
    void Then(Step step);

private:
    void Run(const QStringList& arguments, const Done& done, bool quietFailure, const std::function<void()>& finished);
    void Next();

    StatusNotices& m_notices;
    std::chrono::milliseconds m_timeLimit;
    std::deque<Step> m_waiting;
    bool m_busy = false;
};

} // namespace kelvane::platform
