#include "platform/ProcessesAndInput.h"

#include <algorithm>

namespace kelvane::platform {

std::string ExecutableFileName(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace kelvane::platform
