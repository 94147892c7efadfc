#include "platform/win32/Win32Console.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace kelvane::platform {
namespace {

std::string WithWindowsLineEnds(const std::string& text)
{
    std::string result;
    for (const char c : text) {
        if (c == '\n' && (result.empty() || result.back() != '\r')) {
            result += '\r';
        }
        result += c;
    }
    return result;
}

// A console takes UTF-16; a file or a pipe takes the bytes, UTF-8.
bool WriteTo(HANDLE handle, const std::string& text)
{
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Widen(text);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
               written == wide.size();
    }
    DWORD written = 0;
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

} // namespace

bool WriteToStartingConsole(const std::string& text)
{
    const std::string lines = WithWindowsLineEnds(text);
    // Output sent to a file or a pipe ("kelvane --version > version.txt") comes as a handle of its own.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN &&
        WriteTo(output, lines)) {
        return true;
    }
    // Already attached, as Wine attaches a window program to the console of its parent, is as good.
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (!attached && GetLastError() != ERROR_ACCESS_DENIED) {
        return false;
    }
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    bool written = false;
    if (console != INVALID_HANDLE_VALUE) {
        // The command prompt does not wait for a window program and has shown its prompt again by
        // now: the text starts on a line of its own.
        written = WriteTo(console, "\r\n" + lines);
        CloseHandle(console);
    }
    if (attached) {
        FreeConsole();
    }
    return written;
}

void ShowInMessageBox(const std::string& text, const std::string& title)
{
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

} // namespace kelvane::platform
