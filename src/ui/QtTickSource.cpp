#include "ui/QtTickSource.h"

namespace kelvane::ui {

QtTickSource::QtTickSource()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        if (m_tick) {
            m_tick();
        }
    });
}

void QtTickSource::SetHandler(std::function<void()> tick)
{
    m_tick = std::move(tick);
}

void QtTickSource::SetInterval(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

int QtTickSource::Interval() const
{
    return m_timer.interval();
}

void QtTickSource::Start()
{
    m_timer.start();
}

void QtTickSource::Stop()
{
    m_timer.stop();
}

bool QtTickSource::IsRunning() const
{
    return m_timer.isActive();
}

} // namespace kelvane::ui
