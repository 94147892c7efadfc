#pragma once

#include "ui/TickSource.h"

#include <utility>

namespace kelvane::test {

// A tick source whose time passes only when the test says so.
class FakeTickSource final : public ui::TickSource
{
public:
    void SetHandler(std::function<void()> tick) override { m_tick = std::move(tick); }
    void SetInterval(int milliseconds) override { m_interval = milliseconds; }
    int Interval() const override { return m_interval; }
    void Start() override
    {
        m_running = true;
        m_sinceTick = 0;
    }
    void Stop() override { m_running = false; }
    bool IsRunning() const override { return m_running; }

    // Lets the time pass, one millisecond at a time: a tick whenever a whole period has passed while
    // running. The handler may stop or restart the source.
    void Advance(int milliseconds)
    {
        for (int i = 0; i < milliseconds; ++i) {
            if (m_running && ++m_sinceTick >= m_interval) {
                m_sinceTick = 0;
                if (m_tick) {
                    m_tick();
                }
            }
        }
    }

private:
    std::function<void()> m_tick;
    int m_interval = 0;
    bool m_running = false;
    int m_sinceTick = 0;
};

} // namespace kelvane::test
