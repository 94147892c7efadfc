#pragma once

#include "platform/ProcessesAndInput.h"

namespace kelvane::platform {

// The Toolhelp snapshot of the running processes, and the synthetic input of the desktop.
class Win32ProcessesAndInput final : public ProcessesAndInput
{
public:
    std::optional<int64_t> FindProcessByExeName(const std::string& path) override;
    void SendScreensaverExitInput() override;
};

} // namespace kelvane::platform
