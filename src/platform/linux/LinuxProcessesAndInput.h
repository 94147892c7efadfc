#pragma once

#include "platform/ProcessesAndInput.h"

#include <functional>
#include <memory>

namespace kelvane::platform {

class XScreenSaverBackend;

// Running screensavers are found through /proc, Wine-hosted ones by the file their loader was started
// on; the exit input goes through the XTest extension of the X display, when there is one. With
// XScreenSaver, its running hack is ended through the daemon (or our own full-screen one closed) first.
class LinuxProcessesAndInput final : public ProcessesAndInput
{
public:
    // The preview's process, if one runs, is passed over when looking for a running screensaver.
    explicit LinuxProcessesAndInput(std::shared_ptr<XScreenSaverBackend> xscreensaver = nullptr,
                                    std::function<std::optional<int64_t>()> previewProcess = {})
        : m_xscreensaver(std::move(xscreensaver)), m_previewProcess(std::move(previewProcess))
    {}

    std::optional<int64_t> FindProcessByExeName(const std::string& path) override;
    void SendScreensaverExitInput() override;

private:
    std::shared_ptr<XScreenSaverBackend> m_xscreensaver;
    std::function<std::optional<int64_t>()> m_previewProcess;
};

} // namespace kelvane::platform
