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
    const auto target = PathFromUtf8(path);
    std::error_code ec;
    const auto status = std::filesystem::status(target, ec);
    if (std::filesystem::exists(status)) {
        if (std::filesystem::is_directory(status)) {
            return Status::Error("the path is a folder");
        }
        if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none) {
            return Status::Error("the file is read-only");
        }
    }

    auto temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return Status::Error("the file cannot be created");
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, ec);
            return Status::Error("the file cannot be written");
        }
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return Status::Error("the file cannot be replaced");
    }
    return Status::Ok();
}

} // namespace kelvane
