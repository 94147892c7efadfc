#pragma once

#include <string>

namespace kelvane::platform {

// Things the desktop does with one screensaver file. Each starts its work and returns at once without
// waiting; what cannot be opened at all (nothing installed that could) the system's side may tell in the
// status bar, through its notices.
class Shell
{
public:
    virtual ~Shell() = default;

    // Whether the screensaver file is there to run or to set: the file the desktop would start for this
    // path exists. Asked before anything is started or set, so that a missing file starts nothing.
    virtual bool ScreensaverFileExists(const std::string& path) = 0;

    // Runs the screensaver full screen.
    virtual void RunScreensaverFile(const std::string& path) = 0;
    // Opens the screensaver's own settings dialog.
    virtual void ConfigureScreensaverFile(const std::string& path) = 0;
    // Opens the system's screensaver settings.
    virtual void OpenScreensaverControlPanel() = 0;
    // Shows the file's properties.
    virtual void ShowFileProperties(const std::string& path) = 0;
    // Opens the file's folder with the file selected.
    virtual void ShowFileInFolder(const std::string& path) = 0;
    // Puts the path on the clipboard as text.
    virtual void CopyPathToClipboard(const std::string& path) = 0;
};

} // namespace kelvane::platform
