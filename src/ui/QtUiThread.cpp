#include "ui/QtUiThread.h"

#include <QCoreApplication>
#include <QThread>

namespace kelvane::ui {

void QtUiThread::RunAndWait(const std::function<void()>& step)
{
    // A blocking hand-over from the user-interface thread to itself would wait for ever.
    if (QThread::currentThread() == m_context->thread()) {
        step();
        return;
    }
    QMetaObject::invokeMethod(
        m_context, [&step] { step(); }, Qt::BlockingQueuedConnection);
}

void QtUiThread::ProcessUntil(const std::function<bool()>& done)
{
    // Only the workers' hand-overs and the like run meanwhile: a click or a key could start work (a new
    // scan, a dialog) in the middle of the wait.
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    }
}

} // namespace kelvane::ui
