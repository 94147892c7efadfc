#include "common/FileNames.h"

#include <filesystem>

namespace kelvane {

std::string ExecutableFileName(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool HasDriveLetter(std::string_view path)
{
    const auto letter = static_cast<unsigned char>(path.empty() ? 0 : path.front()) | 0x20u;
    return path.size() >= 2 && letter >= 'a' && letter <= 'z' && path[1] == ':';
}

std::string BlankScreensaverPath(const std::string& windowsFolder)
{
    constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    return windowsFolder + separator + "System32" + separator + "scrnsave.scr";
}

} // namespace kelvane
