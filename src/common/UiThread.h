#pragma once

#include <functional>

namespace kelvane {

// The user-interface thread, seen from the core: a worker hands it steps and waits for them, and the
// user-interface thread can keep running those steps while it waits for something itself.
class UiThread
{
public:
    virtual ~UiThread() = default;

    // From a worker thread: runs the step on the user-interface thread and returns once it has run.
    virtual void RunAndWait(const std::function<void()>& step) = 0;

    // On the user-interface thread: runs handed-over steps (and whatever else waits) until done() holds.
    virtual void ProcessUntil(const std::function<bool()>& done) = 0;
};

} // namespace kelvane
