// The read of a whole data file on Windows.
#include "common/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <windows.h>

namespace kelvane {
namespace {

struct Handle
{
    HANDLE handle;
    ~Handle()
    {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

// The reason for the open's failure in the words the other systems use.
std::string OpenFailure(DWORD error)
{
    int reason = 0;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        reason = ENOENT;
        break;
    case ERROR_ACCESS_DENIED:
        reason = EACCES;
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        reason = EBUSY;
        break;
    default:
        return "the file cannot be opened";
    }
    return "the file cannot be opened: " + std::generic_category().message(reason);
}

} // namespace

Result<std::string> ReadRegularFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return Result<std::string>::Error("the path is a folder");
    }
    // Shared with writers and with a rename over the file: another program saving it never fails because
    // of this read.
    const Handle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        return Result<std::string>::Error(OpenFailure(GetLastError()));
    }
    // A pipe, a console or a device ("CON", "COM1", ...) under the file's name would hold the read or
    // never end.
    if (GetFileType(file.handle) != FILE_TYPE_DISK) {
        return Result<std::string>::Error("the file cannot be opened: it is not a regular file");
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart < 0) {
        return Result<std::string>::Error("the file cannot be read");
    }
    // Room for the size the file has now and one byte more, so that the end is seen without growing.
    std::string bytes(static_cast<size_t>(size.QuadPart) + 1, '\0');
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - used, 1u << 30));
        DWORD count = 0;
        if (!ReadFile(file.handle, bytes.data() + used, chunk, &count, nullptr)) {
            return Result<std::string>::Error("the file cannot be read");
        }
        if (count == 0) {
            bytes.resize(used);
            return bytes;
        }
        used += count;
    }
}

} // namespace kelvane
