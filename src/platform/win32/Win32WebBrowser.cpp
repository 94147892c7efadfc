#include "platform/win32/Win32WebBrowser.h"

#include "platform/win32/Win32Text.h"

// clang-format off
#include <windows.h>
#include <shellapi.h> // after windows.h, whose types it uses
// clang-format on

namespace kelvane::platform {

std::optional<int64_t> Win32WebBrowser::OpenWebAddress(const std::string& address)
{
    // No verb: the handler's default action. The result is not a real handle: above 32 is success,
    // anything else an error code.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) {
        return std::nullopt;
    }
    return static_cast<int64_t>(result);
}

} // namespace kelvane::platform
