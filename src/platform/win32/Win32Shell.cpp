#include "platform/win32/Win32Shell.h"

#include "platform/win32/Win32Text.h"

// clang-format off
#include <windows.h>
#include <shellapi.h> // after windows.h, whose types it uses
#include <shlobj.h> // after windows.h, whose types it uses
// clang-format on

#include <cstring>

namespace kelvane::platform {

Win32Shell::~Win32Shell()
{
    if (m_clipboardOwner) {
        DestroyWindow(static_cast<HWND>(m_clipboardOwner));
    }
}

void* Win32Shell::ClipboardOwner()
{
    if (!m_clipboardOwner) {
        // A message-only window of the system's own "STATIC" class: nothing to register, nothing shown.
        m_clipboardOwner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
    }
    return m_clipboardOwner;
}

bool Win32Shell::ScreensaverFileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32Shell::RunScreensaverFile(const std::string& path)
{
    ShellExecuteW(nullptr, L"open", Widen(path).c_str(), L"/s", nullptr, SW_SHOW);
}

void Win32Shell::ConfigureScreensaverFile(const std::string& path)
{
    ShellExecuteW(nullptr, L"config", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Shell::OpenScreensaverControlPanel()
{
    std::wstring commandLine = L"control desk.cpl,,@screensaver"; // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void Win32Shell::ShowFileProperties(const std::string& path)
{
    const std::wstring file = Widen(path);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.nShow = 0;
    ShellExecuteExW(&info);
}

void Win32Shell::ShowFileInFolder(const std::string& path)
{
    if (PIDLIST_ABSOLUTE item = ILCreateFromPathW(Widen(path).c_str())) {
        SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
        ILFree(item);
    }
}

void Win32Shell::CopyPathToClipboard(const std::string& path)
{
    const std::wstring text = Widen(path);
    // Emptying a clipboard opened without a window would leave it with no owner at all.
    const auto owner = static_cast<HWND>(ClipboardOwner());
    if (!owner || !OpenClipboard(owner)) {
        return;
    }
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::memcpy(target, text.c_str(), bytes);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) {
                GlobalFree(memory); // still ours when the clipboard did not take it
            }
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

} // namespace kelvane::platform
