#include "library/ActiveScreensaver.h"

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
                                                   platform::ProcessesAndInput& processes, View view)
    : m_setting(setting), m_shell(shell), m_processes(processes), m_view(std::move(view))
{}

void ActiveScreensaverControl::GetActiveScreenSaverForDisplay()
{
    const std::string path = m_setting.ReadActiveScreensaverPath();
    m_activeText = path.empty() ? NoActiveScreensaver : path;
    if (m_view.ShowActiveText) {
        m_view.ShowActiveText("Active: " + m_activeText);
    }
}

bool ActiveScreensaverControl::FileIsThere(const std::string& path)
{
    if (m_shell.ScreensaverFileExists(path)) {
        return true;
    }
    if (m_view.ShowMessage) {
        m_view.ShowMessage(MissingScreensaverText(path));
    }
    return false;
}

void ActiveScreensaverControl::WriteAndShow(const std::string& path)
{
    m_setting.WriteActiveScreensaverPath(path);
    GetActiveScreenSaverForDisplay();
    if (m_view.RedrawList) {
        m_view.RedrawList();
    }
}

bool ActiveScreensaverControl::ActivateScreensaver(const std::string& path)
{
    if (!FileIsThere(path)) {
        return false;
    }
    WriteAndShow(path);
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
    m_setting.ClearActiveScreensaverPath();
    GetActiveScreenSaverForDisplay();
    if (m_view.RedrawList) {
        m_view.RedrawList();
    }
}

void ActiveScreensaverControl::SetBlank()
{
    WriteAndShow(BlankScreensaverPath(m_setting.WindowsFolder()));
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
