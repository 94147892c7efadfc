#pragma once

#include <functional>

namespace kelvane::platform {

// Requests from outside to end the program now (a logout, a shutdown, a closed terminal). They are
// caught from the moment this exists, and each is handed to the user-interface thread once the program
// can save what it holds.
class TerminationRequests
{
public:
    virtual ~TerminationRequests() = default;

    // Once the event loop runs: each request, also one that came earlier, calls the handler there.
    virtual void HandOver(std::function<void()> handler) = 0;

    // Stops catching them, for a start that ends before it holds anything: the system's own ending
    // comes back.
    virtual void Release() = 0;
};

} // namespace kelvane::platform
