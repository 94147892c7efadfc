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

// Replaces the file's content as one step that survives a crash or a power cut: the bytes go to a new
// temporary file beside the target, which is flushed to disk and then renamed over it, so a failure at
// any point leaves the old file whole. A target that is a symbolic link keeps its link, and the file it
// points to gets the new content; the old file's permission bits are kept. A target marked read-only
// is refused, as the platform would refuse writing into it.
Status WriteFileAtomically(const std::string& path, const std::string& bytes);

// The system's part of the step above, for a target that is neither a link nor a folder: a temporary
// file created exclusively in the target's folder (never through a link planted under its name), the
// bytes written and flushed, the rename, and the folder flushed. On any failure the temporary file is
// gone and the target untouched. One implementation per system, beside that system's platform layer.
Status ReplaceFileDurably(const std::filesystem::path& target, const std::string& bytes);

} // namespace kelvane
