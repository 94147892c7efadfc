#pragma once

// Waiting for the real program under Wine, and finding its main window among the desktop's windows.

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <windows.h>

namespace kelvane::test {

// Polls the condition until it holds or the time is up; false when the time ran out first.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds limit = std::chrono::seconds(30))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

// Whether a window is a shown top-level window titled "Kelvane" (the hidden request window has the
// title too).
inline bool IsShownMainWindow(HWND window)
{
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    return IsWindowVisible(window) && std::wstring(title) == L"Kelvane";
}

// How many shown main windows there are.
inline int ShownMainWindows()
{
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            if (IsShownMainWindow(window)) {
                ++*reinterpret_cast<int*>(found);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// The shown main window; none when there is none.
inline HWND ShownMainWindow()
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            if (IsShownMainWindow(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace kelvane::test
