#pragma once

#include "platform/SettingAndAutostart.h"

#include <string>

namespace kelvane::platform {

// Linux has no registry: the setting is one value in an INI file of the user's,
// $XDG_CONFIG_HOME/kelvane/desktop.ini (else ~/.config/...), section "Control Panel\Desktop", key
// "SCRNSAVE.EXE", so the file reads like the registry key it stands in for.
class LinuxScreensaverSetting final : public ScreensaverSetting
{
public:
    std::string ReadActiveScreensaverPath() override;
    void WriteActiveScreensaverPath(const std::string& path) override;
    void ClearActiveScreensaverPath() override;
    // The Wine prefix's Windows folder: $WINEPREFIX/drive_c/windows, else ~/.wine/drive_c/windows.
    std::string WindowsFolder() override;

    static std::string SettingFileName();
};

// The autostart entry as a desktop entry file, $XDG_CONFIG_HOME/autostart/kelvane.desktop.
class LinuxAutostartEntry final : public AutostartEntry
{
public:
    void EnableAutostart(const std::string& executablePath) override;
    void DisableAutostart() override;
    std::optional<std::string> ReadAutostart() override;

    static std::string EntryFileName();
};

// The per-user configuration folder, without a trailing separator.
std::string ConfigHome();

// One argument of a desktop entry's Exec key, quoted where it must be and escaped for the file.
std::string DesktopExecArgument(const std::string& argument);

} // namespace kelvane::platform
