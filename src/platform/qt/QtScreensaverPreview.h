#pragma once

#include "platform/ScreensaverPreview.h"

#include <QStringList>

#include <functional>

class QProcess;

namespace kelvane::platform {

// A preview as a child process that draws into the window it is told of. Which program and arguments
// do that is each system's own, given as a function; an empty command means the file cannot preview.
class QtScreensaverPreview final : public ScreensaverPreview
{
public:
    using CommandFor = std::function<QStringList(const std::string& path, uint64_t windowId)>;

    explicit QtScreensaverPreview(CommandFor commandFor);
    ~QtScreensaverPreview() override;

    bool Start(const std::string& path, uint64_t windowId) override;
    void Stop() override;
    bool Running() const override;
    std::optional<int64_t> ProcessId() const override;

private:
    CommandFor m_commandFor;
    QProcess* m_process = nullptr;
};

// Ends the process: asked to end, then killed when it has not within a moment; waits for it either way.
void EndChildProcess(QProcess& process);

} // namespace kelvane::platform
