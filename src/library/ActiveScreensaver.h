#pragma once

#include "common/FileNames.h"
#include "platform/ProcessesAndInput.h"
#include "platform/SettingAndAutostart.h"
#include "platform/Shell.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {

// The text shown for the active screensaver when none is set.
inline constexpr const char* NoActiveScreensaver = "None";

// What the status bar and the event log say when a screensaver file to run or set is not there.
std::string MissingScreensaverText(const std::string& path);

// What an action needs selected before it takes a path.
enum class SelectionNeed
{
    AtLeastOne, // "Run" and a double click: the first (uppermost) selected row
    ExactlyOne, // the popup actions and "Set: Active": the one selected row
};

// The path an action works on, from the selected rows' paths in list order; nothing when the selection
// does not meet the need (the action then does nothing and says nothing).
std::optional<std::string> PathForAction(SelectionNeed need, const std::vector<std::string>& selectedPaths);

// The active screensaver: the desktop's setting, the text that shows it, and the actions that change it
// or end a running screensaver.
class ActiveScreensaverControl
{
public:
    struct View
    {
        // Shows "Active: " and the path (or "None") where the window wants it.
        std::function<void(const std::string&)> ShowActiveText;
        // Redraws the screensaver list at once, so its highlighted row follows the setting.
        std::function<void()> RedrawList;
        // Shows a message in the status bar: a file that is missing.
        std::function<void(const std::string&)> ShowMessage;
    };

    ActiveScreensaverControl(platform::ScreensaverSetting& setting, platform::Shell& shell,
                             platform::ProcessesAndInput& processes, View view);

    // The path last read from the setting, or "None"; empty before the first refresh.
    const std::string& ActiveScreensaverText() const { return m_activeText; }

    // Reads the setting and shows it; the list is not redrawn here.
    void GetActiveScreenSaverForDisplay();

    // Every action on one file goes through here, so that none starts a program for a file that is not
    // there (under Wine, a missing ".scr" would first build a whole Wine prefix) or makes it the active
    // screensaver: the file is looked for first, and when it is missing the action is skipped and the
    // status bar says so. Each gives false then.

    // Makes the file the desktop's screensaver ("Set: Active", rotation, events).
    bool ActivateScreensaver(const std::string& path);
    // Runs the file full screen ("Run", rotation, events).
    bool RunScreensaverFile(const std::string& path);
    // Opens the file's own settings ("Screensaver Options").
    bool ConfigureScreensaverFile(const std::string& path);
    // "Set: None": no screensaver is set.
    void SetNone();
    // "Set: Blank": the system's blank screensaver, whether or not its file exists.
    void SetBlank();
    // "Run Screensaver" of the main menu: runs the active one; nothing when none is set.
    void RunActiveScreensaver();

    // Ends a running screensaver of the list: the first path (in list order) whose file name runs gets
    // the exit input, once; nothing is sent when none runs. True when the input was sent.
    bool CloseRunningScreensaver(const std::vector<std::string>& listPaths);

private:
    // True when the file is there; else the status bar names it.
    bool FileIsThere(const std::string& path);
    void WriteAndShow(const std::string& path);

    platform::ScreensaverSetting& m_setting;
    platform::Shell& m_shell;
    platform::ProcessesAndInput& m_processes;
    View m_view;
    std::string m_activeText;
};

} // namespace kelvane
