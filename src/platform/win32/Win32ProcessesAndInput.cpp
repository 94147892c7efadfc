#include "platform/win32/Win32ProcessesAndInput.h"

#include "common/FileNames.h"
#include "common/TextCase.h"
#include "platform/win32/Win32Text.h"

// clang-format off
#include <windows.h>
#include <tlhelp32.h> // needs the types of windows.h
// clang-format on

namespace kelvane::platform {

std::optional<int64_t> Win32ProcessesAndInput::FindProcessByExeName(const std::string& path)
{
    const std::string wanted = ExecutableFileName(path);
    if (wanted.empty()) {
        return std::nullopt;
    }
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::optional<int64_t> preview = m_previewProcess ? m_previewProcess() : std::nullopt;
    std::optional<int64_t> found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (!EqualsIgnoringAsciiCase(Narrow(entry.szExeFile), wanted) ||
            preview == static_cast<int64_t>(entry.th32ProcessID)) {
            continue;
        }
        // The process must be one this user may open, with the least right that tells so; another
        // user's process of the same name is passed over and the search goes on.
        if (const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID)) {
            CloseHandle(process);
            found = entry.th32ProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    return found;
}

void Win32ProcessesAndInput::SendScreensaverExitInput()
{
    mouse_event(MOUSEEVENTF_MOVE, 1, 1, 0, 0);
    const auto scanCode = static_cast<BYTE>(MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC));
    keybd_event(VK_ESCAPE, scanCode, 0, 0);
    keybd_event(VK_ESCAPE, scanCode, KEYEVENTF_KEYUP, 0);
}

} // namespace kelvane::platform
