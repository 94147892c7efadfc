#include "common/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace kelvane {

namespace {

// The path a chain of links ends at, even when nothing exists there yet. Only the links are followed,
// not "..", which the system resolves against the real folders.
Result<std::filesystem::path> FollowLinks(std::filesystem::path path)
{
    constexpr int MaxLinks = 40;
    for (int link = 0; link < MaxLinks; ++link) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) {
            return path;
        }
        const auto next = std::filesystem::read_symlink(path, ec);
        if (ec) {
            break;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return Result<std::filesystem::path>::Error("the link to the file cannot be followed");
}

// Endings nobody can guess before the save, so no name can be prepared in the folder to meet it.
TemporarySuffixSource RandomSuffixes()
{
    return [random = std::mt19937_64(std::random_device()())]() mutable {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
        return std::string(suffix);
    };
}

// Removes what killed saves of the target left beside it.
void RemoveAbandonedTemporaries(const std::filesystem::path& target)
{
    const std::string targetName = PathToUtf8(target.filename());
    std::error_code ec;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsTemporaryNameFor(PathToUtf8(it->path().filename()), targetName)) {
            RemoveAbandonedTemporary(it->path());
        }
    }
}

} // namespace

bool IsTemporaryNameFor(std::string_view name, std::string_view targetName)
{
    constexpr size_t Digits = 16;
    constexpr std::string_view Ending = ".tmp";
    if (name.size() != targetName.size() + 1 + Digits + Ending.size() || !name.starts_with(targetName) ||
        !name.ends_with(Ending) || name[targetName.size()] != '.') {
        return false;
    }
    const std::string_view digits = name.substr(targetName.size() + 1, Digits);
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::filesystem::path PathFromUtf8(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(PathFromUtf8(path), ec);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

Result<std::string> ReadFileBytes(const std::string& path)
{
    return ReadRegularFile(PathFromUtf8(path));
}

Status WriteFileAtomically(const std::string& path, const std::string& bytes, const BeforeReplace& beforeReplace)
{
    // A data file kept as a link (to a folder of dotfiles, say) stays a link: the file it leads to is
    // the one replaced.
    const auto target = FollowLinks(PathFromUtf8(path));
    if (!target) {
        return Status::Error(target.message());
    }
    std::error_code ec;
    const auto status = std::filesystem::status(target.value(), ec);
    if (std::filesystem::exists(status)) {
        if (std::filesystem::is_directory(status)) {
            return Status::Error("the path is a folder");
        }
        if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none) {
            return Status::Error("the file is read-only");
        }
    }
    RemoveAbandonedTemporaries(target.value());
    return ReplaceFileDurably(target.value(), bytes, RandomSuffixes(), beforeReplace);
}

} // namespace kelvane
