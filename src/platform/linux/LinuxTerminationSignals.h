#pragma once

#include "platform/TerminationRequests.h"

#include <functional>
#include <memory>

class QSocketNotifier;

namespace kelvane::platform {

// SIGTERM, SIGINT and SIGHUP (a logout, a system shutdown, Ctrl+C, a closed terminal) no longer end the
// process on the spot: each is handed to the user-interface thread, which runs the program's own exit.
// A signal handler may do almost nothing, so it only writes the signal's number into a pipe that the
// event loop watches. One object per process.
class LinuxTerminationSignals final : public TerminationRequests
{
public:
    // Catches the signals from now on; those that come before HandOver wait in the pipe.
    LinuxTerminationSignals();
    ~LinuxTerminationSignals() override; // the signals' default actions come back

    LinuxTerminationSignals(const LinuxTerminationSignals&) = delete;
    LinuxTerminationSignals& operator=(const LinuxTerminationSignals&) = delete;

    void HandOver(std::function<void()> handler) override;
    void Release() override;

    // False when the pipe could not be made: the signals keep their default actions then.
    bool Active() const { return m_active; }

private:
    void Drain();

    bool m_active = false;
    std::function<void()> m_handler;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace kelvane::platform
