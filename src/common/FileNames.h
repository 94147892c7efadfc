#pragma once

#include "common/TextCase.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace kelvane {

// The file-name part of a path: the text after its last "\", "/" or drive colon.
std::string ExecutableFileName(const std::string& path);

// Whether the path begins with a drive letter and a colon ("C:\Windows", "d:/games"): a Windows path.
bool HasDriveLetter(std::string_view path);

// Whether the name ends in ".scr", a Windows screensaver's ending, letters compared without regard to
// ASCII case; for the system's wide file names as for UTF-8 text.
template <typename Char>
constexpr bool EndsWithScr(std::basic_string_view<Char> name)
{
    constexpr std::string_view ending = ".scr";
    if (name.size() < ending.size()) {
        return false;
    }
    name.remove_prefix(name.size() - ending.size());
    return std::equal(name.begin(), name.end(), ending.begin(),
                      [](Char c, char wanted) { return AsciiLower(c) == static_cast<Char>(wanted); });
}
inline bool EndsWithScr(std::string_view name)
{
    return EndsWithScr<char>(name);
}

// The system's blank screensaver below the Windows folder.
std::string BlankScreensaverPath(const std::string& windowsFolder);

} // namespace kelvane
