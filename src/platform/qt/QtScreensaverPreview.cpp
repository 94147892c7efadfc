#include "platform/qt/QtScreensaverPreview.h"

#include <QProcess>

namespace kelvane::platform {

void EndChildProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(500)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

QtScreensaverPreview::QtScreensaverPreview(CommandFor commandFor) : m_commandFor(std::move(commandFor)) {}

QtScreensaverPreview::~QtScreensaverPreview()
{
    Stop();
}

bool QtScreensaverPreview::Start(const std::string& path, uint64_t windowId)
{
    Stop();
    const QStringList command = m_commandFor(path, windowId);
    if (command.isEmpty()) {
        return false;
    }
    m_process = new QProcess;
    // What the screensaver prints is of no use here; unread pipes would fill and stall it.
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_process->start(command.front(), command.mid(1));
    return true;
}

void QtScreensaverPreview::Stop()
{
    if (m_process) {
        EndChildProcess(*m_process);
        delete m_process;
        m_process = nullptr;
    }
}

std::optional<int64_t> QtScreensaverPreview::ProcessId() const
{
    if (!Running() || m_process->processId() <= 0) {
        return std::nullopt;
    }
    return m_process->processId();
}

bool QtScreensaverPreview::Running() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

} // namespace kelvane::platform
