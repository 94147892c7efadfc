#pragma once

#include "common/Status.h"

#include <optional>
#include <string>

namespace kelvane::platform {

// The entry that starts the program when the user logs on.
class AutostartEntry
{
public:
    virtual ~AutostartEntry() = default;

    // Writes the entry for the program's executable file (replacing an older one); when it cannot, says
    // why, and the entry stays as it was.
    virtual Status EnableAutostart(const std::string& executablePath) = 0;
    // Removes the entry; nothing else in the autostart place changes. No entry is no failure.
    virtual Status DisableAutostart() = 0;
    // The command the entry holds, or nothing when there is no entry.
    virtual std::optional<std::string> ReadAutostart() = 0;
    // Writes an entry that an older version wrote for this very program, in another spelling, the way
    // EnableAutostart writes it now. No entry, or any other, stays as it is.
    virtual void RenewAutostart(const std::string& /*executablePath*/) {}
};

} // namespace kelvane::platform
