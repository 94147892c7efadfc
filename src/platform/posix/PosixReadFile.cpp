// The read of a whole data file on systems with POSIX files.
#include "common/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kelvane {
namespace {

// The system's reason for the failure, for a message that says why and not only what.
std::string WithReason(const char* what, int error)
{
    return error != 0 ? std::string(what) + ": " + std::generic_category().message(error) : std::string(what);
}

// Only a regular file is read: a pipe would hold the read until some program writes into it, and a
// device may never end.
Status ReadableKind(const struct stat& info)
{
    if (S_ISREG(info.st_mode)) {
        return Status::Ok();
    }
    if (S_ISDIR(info.st_mode)) {
        return Status::Error("the path is a folder");
    }
    return Status::Error("the file cannot be opened: it is not a regular file");
}

struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

} // namespace

Result<std::string> ReadRegularFile(const std::filesystem::path& path)
{
    // A look before the open, so that a device is not even opened (opening some has an effect of its
    // own); the check on the open file below is the one that counts, as the name may change between.
    struct stat info = {};
    if (::stat(path.c_str(), &info) == 0) {
        if (const Status kind = ReadableKind(info); !kind) {
            return Result<std::string>::Error(kind.message());
        }
    }
    // Without waiting: a pipe that another program put there since would otherwise hold the open until
    // a writer comes, which may be never.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) {
        return Result<std::string>::Error(WithReason("the file cannot be opened", errno));
    }
    if (::fstat(file.fd, &info) != 0) {
        return Result<std::string>::Error(WithReason("the file cannot be opened", errno));
    }
    if (const Status kind = ReadableKind(info); !kind) {
        return Result<std::string>::Error(kind.message());
    }
    // A regular file reads the same either way; the flag only mattered for the open.
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);

    // Room for the size the file has now and one byte more, so that the end is seen without growing; a
    // file that grows meanwhile is read to its new end.
    std::string bytes(static_cast<size_t>(info.st_size > 0 ? info.st_size : 0) + 1, '\0');
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t count = ::read(file.fd, bytes.data() + used, bytes.size() - used);
        if (count > 0) {
            used += static_cast<size_t>(count);
        } else if (count == 0) {
            bytes.resize(used);
            return bytes;
        } else if (errno != EINTR) {
            return Result<std::string>::Error(WithReason("the file cannot be read", errno));
        }
    }
}

} // namespace kelvane
