#include "platform/win32/Win32BuildStamp.h"

#include <windows.h>

namespace kelvane::platform {

std::optional<int64_t> Win32BuildStamp::BuildTime()
{
    const auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    if (!base) {
        return std::nullopt;
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) {
        return std::nullopt;
    }
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->FileHeader.TimeDateStamp == 0) {
        return std::nullopt;
    }
    return static_cast<int64_t>(nt->FileHeader.TimeDateStamp);
}

} // namespace kelvane::platform
