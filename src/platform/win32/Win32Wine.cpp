#include "platform/win32/Win32Wine.h"

#include <windows.h>

namespace kelvane::platform {

bool RunningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace kelvane::platform
