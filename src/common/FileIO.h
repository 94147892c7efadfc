#pragma once

#include "common/Status.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kelvane {

// Paths travel through the program as UTF-8 text; these turn them into filesystem paths and back
// without the narrow code page getting a say (it is not UTF-8 on Windows).
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// True when something other than a folder is at the path (links followed): a file, or a pipe or a device
// that ReadFileBytes refuses, so that a caller takes it for a file it cannot read rather than a missing one.
bool FileExists(const std::string& path);

// The system's part of the read below: the file opened without waiting for a writer, refused unless it
// is a regular file, then read whole. One implementation per system, beside that system's platform layer.
Result<std::string> ReadRegularFile(const std::filesystem::path& path);

// The whole file as bytes; an error message when it cannot be opened or read. Only a regular file is
// read: a pipe, a socket or a device in its place is refused at once, never waited on.
Result<std::string> ReadFileBytes(const std::string& path);

// Asked once the new content is on disk beside the target, just before it replaces the target: false
// leaves the target as it is and fails the write. A file that another program also saves is checked
// here against what was read.
using BeforeReplace = std::function<bool()>;

// Replaces the file's content as one step that survives a crash or a power cut: the bytes go to a new
// temporary file beside the target, which is flushed to disk and then renamed over it, so a failure at
// any point leaves the old file whole. A target that is a symbolic link keeps its link (a chain of links
// too, and one whose file does not exist yet), and the file it leads to gets the new content; the old
// file's permission bits are kept. A target marked read-only is refused, as the platform would refuse
// writing into it. Temporary files that earlier saves of the target left when they were killed partway
// are removed first.
Status WriteFileAtomically(const std::string& path, const std::string& bytes, const BeforeReplace& beforeReplace = {});

// The endings tried, one per attempt, for the temporary file's name beside the target.
using TemporarySuffixSource = std::function<std::string()>;
inline constexpr int TemporaryNameAttempts = 16;

// Whether the name is one that WriteFileAtomically gives its temporary file beside a target of the
// given name: "<target>.<16 hexadecimal digits>.tmp". Nothing else in the folder is ever taken for one.
bool IsTemporaryNameFor(std::string_view name, std::string_view targetName);

// The system's part of the step above, for a target that is neither a link nor a folder: a temporary
// file created exclusively in the target's folder (a name that exists, a planted link included, is never
// opened but passed over for the next ending), the bytes written and flushed, the question before the
// replace, the rename, and the folder flushed. On any failure the temporary file is gone and the target
// untouched. While the save runs, RemoveAbandonedTemporary leaves its temporary file alone. One
// implementation per system, beside that system's platform layer.
Status ReplaceFileDurably(const std::filesystem::path& target, const std::string& bytes,
                          const TemporarySuffixSource& nextSuffix, const BeforeReplace& beforeReplace = {});

// Removes a temporary file that a killed save left, unless a save that still runs writes it; a link or
// anything but a plain file stays. One implementation per system.
void RemoveAbandonedTemporary(const std::filesystem::path& file);

} // namespace kelvane
