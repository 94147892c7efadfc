#include "common/FileIO.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace kelvane {

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
    return std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

Result<std::string> ReadFileBytes(const std::string& path)
{
    const auto fsPath = PathFromUtf8(path);
    std::error_code ec;
    if (std::filesystem::is_directory(fsPath, ec)) {
        return Result<std::string>::Error("the path is a folder");
    }
    std::ifstream in(fsPath, std::ios::binary | std::ios::ate);
    if (!in) {
        return Result<std::string>::Error("the file cannot be opened");
    }
    // One read of the size the file has now; a file that grows meanwhile is read to its new end below.
    const std::streamoff size = in.tellg();
    std::string bytes;
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.seekg(0);
        in.read(bytes.data(), size);
        bytes.resize(static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        return Result<std::string>::Error("the file cannot be read");
    }
    in.clear();
    bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return Result<std::string>::Error("the file cannot be read");
    }
    return bytes;
}

Status WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    auto target = PathFromUtf8(path);
    std::error_code ec;
    // A data file kept as a link (to a folder of dotfiles, say) stays a link: the file it leads to is
    // the one replaced.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
        target = std::filesystem::weakly_canonical(target, ec);
        if (ec) {
            return Status::Error("the link to the file cannot be followed");
        }
    }
    const auto status = std::filesystem::status(target, ec);
    if (std::filesystem::exists(status)) {
        if (std::filesystem::is_directory(status)) {
            return Status::Error("the path is a folder");
        }
        if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none) {
            return Status::Error("the file is read-only");
        }
    }
    return ReplaceFileDurably(target, bytes);
}

} // namespace kelvane
