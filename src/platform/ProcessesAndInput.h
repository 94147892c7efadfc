#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvane::platform {

// Finding a running screensaver, and the input that ends one.
class ProcessesAndInput
{
public:
    virtual ~ProcessesAndInput() = default;

    // The id of a running process whose executable's file name equals the file name of the path (the
    // text after the last separator), letters compared without regard to ASCII case; whatever folder
    // either lies in. Nothing when none runs or the process list cannot be read. On Linux only the
    // user's own processes count.
    virtual std::optional<int64_t> FindProcessByExeName(const std::string& path) = 0;

    // A small mouse movement and the Escape key, sent to the desktop as a whole, so that a running
    // screensaver takes them for the user's return and ends. Nothing when there is no desktop to send to.
    virtual void SendScreensaverExitInput() = 0;
};

} // namespace kelvane::platform
