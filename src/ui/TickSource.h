#pragma once

#include <functional>

namespace kelvane::ui {

// A periodic tick on the user-interface thread. Behind an interface so that tests can step time
// themselves instead of waiting for it.
class TickSource
{
public:
    virtual ~TickSource() = default;

    virtual void SetHandler(std::function<void()> tick) = 0;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};

} // namespace kelvane::ui
