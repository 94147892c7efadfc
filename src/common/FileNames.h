#pragma once

#include <string>

namespace kelvane {

// The file-name part of a path: the text after its last "\", "/" or drive colon.
std::string ExecutableFileName(const std::string& path);

} // namespace kelvane
