#pragma once

#include <functional>
#include <string>

namespace kelvane::platform {

// The two requests a second start hands to the running instance.
enum class InstanceRequest
{
    Show, // an ordinary second start: bring the window back
    Exit, // a second start with "/CLOSE": save and end
};

// What taking the per-user instance lock came to.
struct InstanceLock
{
    enum class State
    {
        Taken,         // this is the first instance
        HeldElsewhere, // another instance runs: hand it the request
        Unavailable,   // no lock can be had safely: the program cannot start
    };
    State Outcome = State::Unavailable;
    std::string Problem; // for Unavailable: why, in words for the user
};

// Where the program's files are, and the one-instance-per-user rule.
class PathsAndInstance
{
public:
    virtual ~PathsAndInstance() = default;

    // The user's roaming application-data folder, without a trailing separator; empty when the
    // platform cannot tell.
    virtual std::string AppDataFolder() = 0;

    // The folder that holds the program's executable file, with a trailing separator.
    virtual std::string ExecutableFolder() = 0;

    // Takes the per-user instance lock and keeps it until the process ends.
    virtual InstanceLock AcquireInstanceLock() = 0;

    // From a second instance: hands the request to the first one without waiting for it. When no
    // first instance can be reached the request is dropped.
    virtual void PostInstanceRequest(InstanceRequest request) = 0;

    // In the first instance: from now on, each request that arrives is passed to the handler on the
    // user-interface thread, those that came earlier first.
    virtual void ListenForInstanceRequests(std::function<void(InstanceRequest)> handler) = 0;
};

} // namespace kelvane::platform
