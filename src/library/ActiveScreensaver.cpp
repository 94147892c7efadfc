#include "library/ActiveScreensaver.h"

#include <algorithm>

namespace kelvane {

std::string MissingScreensaverText(const std::string& path)
{
    return "Screensaver file is missing, nothing done: " + path;
}

std::optional<std::string> PathForAction(SelectionNeed need, const std::vector<std::string>& selectedPaths)
{
    if (selectedPaths.empty() || (need == SelectionNeed::ExactlyOne && selectedPaths.size() != 1)) {
        return std::nullopt;
    }
    return selectedPaths.front();
}

ActiveScreensaverControl::ActiveScreensaverControl(platform::ScreensaverSetting& setting, platform::Shell& shell,
                                                   platform::ProcessesAndInput& processes)
    : m_setting(setting), m_shell(shell), m_processes(processes)
{}

void ActiveScreensaverControl::AddListener(ActiveScreensaverListener* listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end()) {
        m_listeners.push_back(listener);
    }
}

void ActiveScreensaverControl::RemoveListener(ActiveScreensaverListener* listener)
{
    std::erase(m_listeners, listener);
}

void ActiveScreensaverControl::GetActiveScreenSaverForDisplay()
{
    const std::string path = m_setting.ReadActiveScreensaverPath();
    m_activeText = path.empty() ? NoActiveScreensaver : path;
    // A copy: a listener may remove itself while it is told.
    for (ActiveScreensaverListener* listener : std::vector(m_listeners)) {
        listener->ActiveScreensaverChanged(m_activeText);
    }
}

void ActiveScreensaverControl::TellProblem(const std::string& message)
{
    for (ActiveScreensaverListener* listener : std::vector(m_listeners)) {
        listener->ActiveScreensaverProblem(message);
    }
}

bool ActiveScreensaverControl::FileIsThere(const std::string& path)
{
    if (m_shell.ScreensaverFileExists(path)) {
        return true;
    }
    TellProblem(MissingScreensaverText(path));
    return false;
}

void ActiveScreensaverControl::ShowWritten(const Status& written)
{
    // What the setting holds now, whether or not the write took; then why it did not.
    GetActiveScreenSaverForDisplay();
    if (!written) {
        TellProblem(written.message());
    }
}

bool ActiveScreensaverControl::ActivateScreensaver(const std::string& path)
{
    if (!FileIsThere(path)) {
        return false;
    }
    ShowWritten(m_setting.WriteActiveScreensaverPath(path));
    return true;
}

bool ActiveScreensaverControl::RunScreensaverFile(const std::string& path)
{
    if (!FileIsThere(path)) {
        return false;
    }
    m_shell.RunScreensaverFile(path);
    return true;
}

bool ActiveScreensaverControl::ConfigureScreensaverFile(const std::string& path)
{
    if (!FileIsThere(path)) {
        return false;
    }
    m_shell.ConfigureScreensaverFile(path);
    return true;
}

void ActiveScreensaverControl::SetNone()
{
    ShowWritten(m_setting.ClearActiveScreensaverPath());
}

void ActiveScreensaverControl::SetBlank()
{
    ShowWritten(m_setting.WriteActiveScreensaverPath(BlankScreensaverPath(m_setting.WindowsFolder())));
}

void ActiveScreensaverControl::RunActiveScreensaver()
{
    if (!m_activeText.empty() && m_activeText != NoActiveScreensaver) {
        RunScreensaverFile(m_activeText);
    }
}

bool ActiveScreensaverControl::CloseRunningScreensaver(const std::vector<std::string>& listPaths)
{
    for (const std::string& path : listPaths) {
        if (m_processes.FindProcessByExeName(path)) {
            // The input goes to the desktop, not to the process found; the process is never killed.
            m_processes.SendScreensaverExitInput();
            return true;
        }
    }
    return false;
}

} // namespace kelvane
