#include "platform/linux/LinuxTerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace kelvane::platform {
namespace {

constexpr int HandledSignals[] = {SIGTERM, SIGINT, SIGHUP};

int g_pipe[2] = {-1, -1};

extern "C" void WriteSignalNumber(int number)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    // A full pipe already holds a wake-up; this one may go.
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

LinuxTerminationSignals::LinuxTerminationSignals()
{
    if (g_pipe[0] >= 0 || pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_active = true;
    struct sigaction action = {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : HandledSignals) {
        sigaction(number, &action, nullptr);
    }
}

LinuxTerminationSignals::~LinuxTerminationSignals()
{
    Release();
}

void LinuxTerminationSignals::Release()
{
    if (!m_active) {
        return;
    }
    m_active = false;
    for (const int number : HandledSignals) {
        std::signal(number, SIG_DFL);
    }
    m_notifier.reset();
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void LinuxTerminationSignals::HandOver(std::function<void()> handler)
{
    if (!m_active) {
        return;
    }
    m_handler = std::move(handler);
    // The pipe stays readable while a number waits in it, so one caught earlier is seen at once.
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { Drain(); });
}

void LinuxTerminationSignals::Drain()
{
    unsigned char numbers[16];
    ssize_t count = 0;
    while ((count = read(g_pipe[0], numbers, sizeof numbers)) > 0) {
        // Which signal it was makes no difference: each asks for the same ending.
        for (ssize_t i = 0; i < count; ++i) {
            m_handler();
        }
    }
}

} // namespace kelvane::platform
