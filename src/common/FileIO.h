#pragma once

#include "common/Status.h"

#include <filesystem>
#include <string>

namespace kelvane {

// Paths travel through the program as UTF-8 text; these turn them into filesystem paths and back
// without the narrow code page getting a say (it is not UTF-8 on Windows).
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// True when a regular file (not a folder) exists at the path.
bool FileExists(const std::string& path);

// The whole file as bytes; an error message when it cannot be opened or read.
Result<std::string> ReadFileBytes(const std::string& path);

// Replaces the file's content as one step: the bytes go to a temporary file beside the target, which is
// then renamed over it, so a failure at any point leaves the old file as it was. A target marked
// read-only is refused, as the platform would refuse writing into it.
Status WriteFileAtomically(const std::string& path, const std::string& bytes);

} // namespace kelvane
