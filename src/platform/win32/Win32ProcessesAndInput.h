#pragma once

#include "platform/ProcessesAndInput.h"

#include <functional>

namespace kelvane::platform {

// The Toolhelp snapshot of the running processes, and the synthetic input of the desktop.
class Win32ProcessesAndInput final : public ProcessesAndInput
{
public:
    // The preview's process, if one runs, is passed over when looking for a running screensaver.
    explicit Win32ProcessesAndInput(std::function<std::optional<int64_t>()> previewProcess = {})
        : m_previewProcess(std::move(previewProcess))
    {}

    std::optional<int64_t> FindProcessByExeName(const std::string& path) override;
    void SendScreensaverExitInput() override;

private:
    std::function<std::optional<int64_t>()> m_previewProcess;
};

} // namespace kelvane::platform
