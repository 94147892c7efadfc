#pragma once

#include "platform/ProcessesAndInput.h"

#include <memory>

namespace kelvane::platform {

class XScreenSaverBackend;

// Running screensavers are found through /proc, Wine-hosted ones by the file their loader was started
// on; the exit input goes through the XTest extension of the X display, when there is one. With
// XScreenSaver, its running hack is ended through the daemon (or our own full-screen one closed) first.
class LinuxProcessesAndInput final : public ProcessesAndInput
{
public:
    explicit LinuxProcessesAndInput(std::shared_ptr<XScreenSaverBackend> xscreensaver = nullptr)
        : m_xscreensaver(std::move(xscreensaver))
    {}

    std::optional<int64_t> FindProcessByExeName(const std::string& path) override;
    void SendScreensaverExitInput() override;

private:
    std::shared_ptr<XScreenSaverBackend> m_xscreensaver;
};

} // namespace kelvane::platform
