#pragma once

#include "ui/TickSource.h"

#include <QTimer>

namespace kelvane::ui {

// Ticks from a timer of the user-interface thread. Precise, since the credits move one pixel per tick
// and a coarse timer's slack of a few percent shows as uneven motion.
class QtTickSource final : public TickSource
{
public:
    QtTickSource();

    void SetHandler(std::function<void()> tick) override;
    void SetInterval(int milliseconds) override;
    int Interval() const override;
    void Start() override;
    void Stop() override;
    bool IsRunning() const override;

private:
    QTimer m_timer;
    std::function<void()> m_tick;
};

} // namespace kelvane::ui
