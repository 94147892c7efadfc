#pragma once

#include "platform/AutostartEntry.h"
#include "platform/ScreensaverSetting.h"

namespace kelvane::platform {

// The desktop's setting: HKEY_CURRENT_USER "Control Panel\Desktop", value "SCRNSAVE.EXE". The key is
// opened, never created.
class Win32ScreensaverSetting final : public ScreensaverSetting
{
public:
    std::string ReadActiveScreensaverPath() override;
    Status WriteActiveScreensaverPath(const std::string& path) override;
    Status ClearActiveScreensaverPath() override;
    std::string WindowsFolder() override;
};

// The Run value "Kelvane" under HKEY_CURRENT_USER, the full path of the executable with backslashes,
// quoted when it holds a blank so that the system does not split it.
class Win32AutostartEntry final : public AutostartEntry
{
public:
    Status EnableAutostart(const std::string& executablePath) override;
    Status DisableAutostart() override;
    std::optional<std::string> ReadAutostart() override;
    void RenewAutostart(const std::string& executablePath) override;
};

// The Run value's text for an executable's path, which may come with forward slashes (as Qt gives it).
std::string AutostartCommand(const std::string& executablePath);

} // namespace kelvane::platform
