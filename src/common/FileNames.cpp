#include "common/FileNames.h"

namespace kelvane {

std::string ExecutableFileName(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace kelvane
