#pragma once

#include <functional>
#include <string>
#include <utility>

namespace kelvane::platform {

// What the system's side could not do, told to the user in the status bar's message panel: a problem
// found after the call that caused it has returned (a daemon that did not answer), or one that a call
// with no result to carry it met. A notice given before the window listens waits for it; only the
// latest one is kept.
class StatusNotices
{
public:
    using Listener = std::function<void(const std::string&)>;

    void SetListener(Listener listener)
    {
        m_listener = std::move(listener);
        if (m_listener && !m_pending.empty()) {
            m_listener(std::exchange(m_pending, {}));
        }
    }

    void Report(const std::string& text)
    {
        if (m_listener) {
            m_listener(text);
        } else {
            m_pending = text;
        }
    }

private:
    Listener m_listener;
    std::string m_pending;
};

} // namespace kelvane::platform
