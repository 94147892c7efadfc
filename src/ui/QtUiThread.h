#pragma once

#include "common/UiThread.h"

#include <QObject>

namespace kelvane::ui {

// The user-interface thread of a Qt application: steps go through its event loop, and a wait keeps
// that loop running.
class QtUiThread final : public UiThread
{
public:
    explicit QtUiThread(QObject* context) : m_context(context) {}

    void RunAndWait(const std::function<void()>& step) override;
    void ProcessUntil(const std::function<bool()>& done) override;

private:
    QObject* m_context; // lives on the user-interface thread
};

} // namespace kelvane::ui
