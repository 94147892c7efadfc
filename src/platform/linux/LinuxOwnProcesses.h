#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kelvane::platform {

// The processes of one user, as /proc shows them. Only a process whose real user is that user counts:
// what another user on the same machine runs is never taken for this user's screensaver or settings
// window, whatever its name.
class OwnProcesses
{
public:
    explicit OwnProcesses(uid_t owner) : m_owner(owner) {}

    // The ids of the owner's processes that run (one that has ended but is not yet reaped does not).
    std::vector<int64_t> Running() const;

    // The file the process runs, as the kernel links it; a file replaced or removed while it runs still
    // names its old path. Empty when it cannot be read (the process has ended).
    static std::string Executable(int64_t pid);
    // Up to the first count arguments of the process's command line.
    static std::vector<std::string> Arguments(int64_t pid, size_t count);

    // Whether one of the owner's processes runs the program file: as its executable, or, for a script,
    // as the file its interpreter was started on (the kernel starts "#!interpreter [argument]" scripts
    // with the interpreter, that argument and then the script's path, relative to the process's folder
    // when it was started so). Links to the program count as the program.
    bool AnyRuns(const std::string& programFile) const;

private:
    uid_t m_owner;
};

} // namespace kelvane::platform
