#pragma once

#include "platform/ProcessesAndInput.h"

namespace kelvane::platform {

// Running screensavers are found through /proc, Wine-hosted ones by the file their loader was started
// on; the exit input goes through the XTest extension of the X display, when there is one.
class LinuxProcessesAndInput final : public ProcessesAndInput
{
public:
    std::optional<int64_t> FindProcessByExeName(const std::string& path) override;
    void SendScreensaverExitInput() override;
};

} // namespace kelvane::platform
