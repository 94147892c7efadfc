#include "platform/ProcessesAndInput.h"

#include <algorithm>

namespace kelvane::platform {

std::string ExecutableFileName(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace kelvane::platform
