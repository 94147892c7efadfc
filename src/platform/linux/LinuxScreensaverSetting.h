#pragma once

#include "common/Status.h"
#include "platform/AutostartEntry.h"
#include "platform/ScreensaverSetting.h"

#include <string>

namespace kelvane::platform {

// Linux has no registry: the setting is one value in an INI file of the user's,
// $XDG_CONFIG_HOME/kelvane/desktop.ini (else ~/.config/...), section "Control Panel\Desktop", key
// "SCRNSAVE.EXE", so the file reads like the registry key it stands in for.
class LinuxScreensaverSetting final : public ScreensaverSetting
{
public:
    std::string ReadActiveScreensaverPath() override;
    Status WriteActiveScreensaverPath(const std::string& path) override;
    Status ClearActiveScreensaverPath() override;
    // The Wine prefix's Windows folder: $WINEPREFIX/drive_c/windows, else ~/.wine/drive_c/windows.
    std::string WindowsFolder() override;

    static std::string SettingFileName();
};

// The autostart entry as a desktop entry file, $XDG_CONFIG_HOME/autostart/kelvane.desktop. A program
// path that the entry cannot carry is refused with the reason.
class LinuxAutostartEntry final : public AutostartEntry
{
public:
    Status EnableAutostart(const std::string& executablePath) override;
    Status DisableAutostart() override;
    std::optional<std::string> ReadAutostart() override;

    static std::string EntryFileName();
};

// The per-user configuration folder, without a trailing separator.
std::string ConfigHome();

// One argument of a desktop entry's Exec key, quoted where it must be and escaped for the file.
std::string DesktopExecArgument(const std::string& argument);

// The Exec value that starts the program, given by its full path, with no arguments. Refused with the
// reason when a reader of desktop entries could not take the path back whole: a relative one (it would
// be looked up on the search path), text that is not UTF-8, a control character the file cannot escape,
// or a "%" (GLib looks the program up before it reads "%%" as "%").
Result<std::string> DesktopExecLine(const std::string& program);

} // namespace kelvane::platform
