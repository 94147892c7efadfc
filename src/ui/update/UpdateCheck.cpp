#include "ui/update/UpdateCheck.h"

#include "common/AppIdentity.h"
#include "ui/QtTickSource.h"

#include <QAction>
#include <QLabel>

#include <algorithm>

namespace kelvane::ui {

UpdateCheck::UpdateCheck(const UpdateContext& context, WindowParts window)
    : m_context(context), m_window(std::move(window)),
      m_timer(context.MakeTimer ? context.MakeTimer() : std::make_unique<QtTickSource>())
{
    m_timer->SetInterval(FirstCheckMs);
    m_timer->SetHandler([this] { UpdateTimerTimer(); });
    connect(m_window.UpdateNotifications, &QAction::triggered, this, &UpdateCheck::UpdateNotifyClick);
}

UpdateCheck::~UpdateCheck()
{
    m_timer.reset();
}

void UpdateCheck::FormShow()
{
    if (!m_timer->IsRunning() && !IsChecking()) {
        m_timer->Start();
    }
}

void UpdateCheck::UpdateTimerTimer()
{
    m_window.Debug("Update Timer executed at:" + m_window.NowText());
    m_timer->Stop();
    if (!m_window.UpdateNotifications->isChecked()) {
        return;
    }
    m_pending = std::make_shared<int>(0);
    CheckForUpdate(m_context.Http, m_context.Address, ProgramVersion,
                   [this, token = std::weak_ptr<int>(m_pending)](const UpdateCheckResult& result) {
                       if (!token.expired()) {
                           CheckCompleted(result);
                       }
                   });
}

void UpdateCheck::CheckCompleted(const UpdateCheckResult& result)
{
    m_pending.reset();
    // First, so that the next day's check is due whatever showing the result does.
    m_timer->SetInterval(DailyCheckMs);
    m_timer->Start();
    if (!result.Available) {
        m_window.ShowMessage(QStringLiteral("No update available"));
        return;
    }
    std::erase_if(m_popups, [](const std::unique_ptr<TfrmNotification>& popup) {
        return popup->IsClosing() && !popup->isVisible();
    });
    m_popups.push_back(TfrmNotification::ShowNotification(
        {m_context.Browser, m_context.MakeTimer}, QStringLiteral("UPDATE AVAILABLE"),
        QString::fromUtf8(result.Message.data(), static_cast<qsizetype>(result.Message.size())), PopupTimeoutSeconds,
        result.DownloadAddress));
}

void UpdateCheck::UpdateNotifyClick()
{
    const bool on = m_window.UpdateNotifications->isChecked();
    m_window.SetUpdatesNotify(on);
    // A check still waiting for its answer was asked for under the old choice.
    m_pending.reset();
    m_timer->SetInterval(FirstCheckMs);
    if (on) {
        m_timer->Start();
    } else {
        m_timer->Stop();
    }
}

} // namespace kelvane::ui
