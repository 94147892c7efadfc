#pragma once

#include "common/VendorSite.h"
#include "ui/TickSource.h"
#include "ui/update/NotificationForm.h"
#include "update/UpdateClass.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;

namespace kelvane::platform {
class HttpGet;
class WebBrowser;
} // namespace kelvane::platform

namespace kelvane::ui {

// What the update check is given by the composition root.
struct UpdateContext
{
    platform::HttpGet& Http;
    // Opens the download address of a popup's message.
    platform::WebBrowser& Browser;
    std::string Address = UpdateFileAddress(VendorSiteAddress);
    // Makes the update timer and the popups' timers; by default timers of the user-interface thread.
    std::function<std::unique_ptr<TickSource>()> MakeTimer = {};
};

// The main window's update check: `UpdateTimer` and its handler, the Help menu's "Update Notifications"
// item and the popups that announce a newer version. The download runs in the background; the check
// completes when the answer arrives, and the window answers the user meanwhile.
class UpdateCheck : public QObject
{
public:
    static constexpr int FirstCheckMs = 5000;
    static constexpr int DailyCheckMs = 86400000;
    static constexpr int PopupTimeoutSeconds = 20;

    // What the check borrows from the main window.
    struct WindowParts
    {
        QAction* UpdateNotifications;
        // Keeps the setting that is written at exit in step with the item.
        std::function<void(bool)> SetUpdatesNotify;
        // Status bar panel 2.
        std::function<void(const QString&)> ShowMessage;
        std::function<void(const std::string&)> Debug;
        // The current date and time in the user's format.
        std::function<std::string()> NowText;
    };

    UpdateCheck(const UpdateContext& context, WindowParts window);
    ~UpdateCheck() override;

    TickSource& UpdateTimer() const { return *m_timer; }
    bool IsChecking() const { return m_pending != nullptr; }
    // The popups shown so far; closed ones are released when the next one comes.
    const std::vector<std::unique_ptr<TfrmNotification>>& Popups() const { return m_popups; }

    // The window became visible: the timer runs from then on, unless a check is waiting for its answer
    // (its end starts the timer).
    void FormShow();
    void UpdateTimerTimer();
    // After the item has toggled its check mark.
    void UpdateNotifyClick();

private:
    void CheckCompleted(const UpdateCheckResult& result);

    UpdateContext m_context;
    WindowParts m_window;
    std::unique_ptr<TickSource> m_timer;
    // Owned by the check waiting for its answer; an answer whose token has gone is dropped.
    std::shared_ptr<int> m_pending;
    std::vector<std::unique_ptr<TfrmNotification>> m_popups;
};

} // namespace kelvane::ui
