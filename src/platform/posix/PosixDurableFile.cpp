// The durable replace of a data file on systems with POSIX files.
#include "common/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvane {
namespace {

// Writes every byte, through short writes and interruptions.
bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// A new, empty file beside the target. O_EXCL refuses any name that already exists, a planted link
// included (O_NOFOLLOW says so twice), so the next ending is tried instead.
int CreateTemporary(const std::filesystem::path& target, const TemporarySuffixSource& nextSuffix, std::string& name)
{
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        name = target.native() + nextSuffix();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Makes the rename itself durable: the folder's entry is on disk too.
void FlushFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

Status ReplaceFileDurably(const std::filesystem::path& target, const std::string& bytes,
                          const TemporarySuffixSource& nextSuffix)
{
    struct stat old = {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    std::string temporary;
    const int fd = CreateTemporary(target, nextSuffix, temporary);
    if (fd < 0) {
        return Status::Error("the file cannot be created");
    }
    const auto fail = [&](const char* why) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return Status::Error(why);
    };
    // The old file's permissions, not the defaults: a file the user made private stays private.
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) {
        return fail("the file's permissions cannot be kept");
    }
    if (!WriteAll(fd, bytes)) {
        return fail("the file cannot be written");
    }
    if (::fsync(fd) != 0) {
        return fail("the file cannot be written to the disk");
    }
    if (::close(fd) != 0) {
        ::unlink(temporary.c_str());
        return Status::Error("the file cannot be written");
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return Status::Error("the file cannot be replaced");
    }
    FlushFolder(target.parent_path());
    return Status::Ok();
}

} // namespace kelvane
