#pragma once

#include <string>
#include <string_view>

namespace kelvane::platform {

// The program's texts are UTF-8; the Win32 functions take UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace kelvane::platform
