#pragma once

#include "common/FileNames.h"
#include "platform/ProcessesAndInput.h"
#include "platform/ScreensaverSetting.h"
#include "platform/Shell.h"

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

// Follows the active screensaver, as a view follows a table through ListObserver: told after every read
// of the setting, and of every action on it that could not be done.
class ActiveScreensaverListener
{
public:
    virtual ~ActiveScreensaverListener() = default;
    // The setting as just read, changed or not: the path, or "None".
    virtual void ActiveScreensaverChanged(const std::string& activeText) = 0;
    // An action did nothing (its file is missing) or its write of the setting failed: what to tell the
    // user. A listener that shows no messages leaves it.
    virtual void ActiveScreensaverProblem(const std::string& /*message*/) {}
};

// The active screensaver: the desktop's setting, the text that shows it, and the actions that change it
// or end a running screensaver. Whatever shows it listens to it.
class ActiveScreensaverControl
{
public:
    ActiveScreensaverControl(platform::ScreensaverSetting& setting, platform::Shell& shell,
                             platform::ProcessesAndInput& processes);
    ActiveScreensaverControl(const ActiveScreensaverControl&) = delete;
    ActiveScreensaverControl& operator=(const ActiveScreensaverControl&) = delete;

    // Listeners are not owned. Each one removes itself as it goes, so no call reaches one that is gone;
    // that asks the control to outlive its listeners, which holds where the control is made before
    // anything that shows it and goes after all of them.
    void AddListener(ActiveScreensaverListener* listener);
    void RemoveListener(ActiveScreensaverListener* listener);

    // The path last read from the setting, or "None"; empty before the first refresh.
    const std::string& ActiveScreensaverText() const { return m_activeText; }

    // Reads the setting and tells the listeners.
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
    // True when the file is there; else the listeners are told it is missing.
    bool FileIsThere(const std::string& path);
    // After a write or clear of the setting: the listeners are told what it holds now, and why the
    // write failed when it did.
    void ShowWritten(const Status& written);
    void TellProblem(const std::string& message);

    platform::ScreensaverSetting& m_setting;
    platform::Shell& m_shell;
    platform::ProcessesAndInput& m_processes;
    std::vector<ActiveScreensaverListener*> m_listeners;
    std::string m_activeText;
};

} // namespace kelvane
