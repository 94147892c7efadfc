#include "platform/win32/Win32WindowFrame.h"

#include <windows.h>

namespace kelvane::platform {

std::optional<FrameMargins> Win32OuterFrameMargins(uint64_t nativeWindow)
{
    const HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(nativeWindow));
    RECT frame{};
    RECT client{};
    if (!window || IsIconic(window) || !GetWindowRect(window, &frame) || !GetClientRect(window, &client)) {
        return std::nullopt;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return FrameMargins{client.left - frame.left, client.top - frame.top, frame.right - client.right,
                        frame.bottom - client.bottom};
}

} // namespace kelvane::platform
