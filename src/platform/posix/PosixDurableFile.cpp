// The durable replace of a data file on systems with POSIX files.
#include "common/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

// Closes the descriptor when it goes.
struct Descriptor
{
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    const int fd;
};

} // namespace

Status ReplaceFileDurably(const std::filesystem::path& target, const std::string& bytes,
                          const TemporarySuffixSource& nextSuffix, const BeforeReplace& beforeReplace)
{
    struct stat old = {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    std::string temporary;
    const int fd = CreateTemporary(target, nextSuffix, temporary);
    if (fd < 0) {
        return Status::Error("the file cannot be created");
    }
    // A lock on the temporary file says that this save runs, until the rename: the system drops it
    // when the process ends, so a file without one was left by a killed save. A second descriptor holds
    // it past the close below.
    const Descriptor lock(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (lock.fd >= 0) {
        (void)::flock(lock.fd, LOCK_EX | LOCK_NB);
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
    if (beforeReplace && !beforeReplace()) {
        ::unlink(temporary.c_str());
        return Status::Error("the file changed while it was being saved");
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return Status::Error("the file cannot be replaced");
    }
    FlushFolder(target.parent_path());
    return Status::Ok();
}

void RemoveAbandonedTemporary(const std::filesystem::path& file)
{
    struct stat named = {};
    if (::lstat(file.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) {
        return;
    }
    const Descriptor opened(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat held = {};
    // Removed only when no save holds its lock, and only when the name still leads to the file locked.
    if (opened.fd < 0 || ::flock(opened.fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(opened.fd, &held) != 0 ||
        ::lstat(file.c_str(), &named) != 0 || held.st_dev != named.st_dev || held.st_ino != named.st_ino) {
        return;
    }
    ::unlink(file.c_str());
}

} // namespace kelvane
