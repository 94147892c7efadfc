#pragma once

#include "ui/TickSource.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QPixmap;
class QPushButton;

namespace kelvane::platform {
class WebBrowser;
}

namespace kelvane::ui {

// What a notification popup is given: the browser that opens its address, and its timers.
struct NotificationContext
{
    platform::WebBrowser& Browser;
    // Makes the popup's fade and auto-close timers; by default timers of the user-interface thread.
    std::function<std::unique_ptr<TickSource>()> MakeTimer = {};
};

// A small borderless popup near the top right of the screen that stays above all windows: a bold title
// and a clickable message. It fades in, and fades out when it closes: by itself after its time-out, by
// its "X" button, or by a click on the message, which first opens the popup's web address.
class TfrmNotification : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 350;
    static constexpr int ClientHeight = 75;
    // The fade: 25 steps of 10 milliseconds, each 10 of 255 more opaque, so it ends just short of opaque.
    static constexpr int FadeStepMs = 10;
    static constexpr int FadeSteps = 25;
    static constexpr int OpacityStep = 10;

    // Makes and shows a new popup. With a timeout of 0 or less it stays until the user closes it. The
    // address may be empty; an icon, when given, replaces the built-in picture.
    static std::unique_ptr<TfrmNotification> ShowNotification(const NotificationContext& context, const QString& title,
                                                              const QString& message, int timeout,
                                                              const std::string& address,
                                                              const QPixmap* icon = nullptr);

    explicit TfrmNotification(const NotificationContext& context);
    ~TfrmNotification() override;

    QWidget* pnlMain() const { return m_panel; }
    QLabel* lblTitle() const { return m_title; }
    QLabel* lblMessage() const { return m_message; }
    QLabel* imgIcon() const { return m_icon; }
    QPushButton* btnClose() const { return m_closeButton; }
    TickSource& tmrAutoClose() const { return *m_autoClose; }
    // Drives the fade-in and the fade-out.
    TickSource& FadeTimer() const { return *m_fade; }
    const std::string& URL() const { return FURL; }
    // Closed by the user or by its time-out, possibly still fading out.
    bool IsClosing() const { return m_closing; }

    void tmrAutoCloseTimer();
    void btnCloseClick();
    // Opens the address only when it is a web page; closes the popup in any case.
    void lblMessageClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CloseNotification();
    void FadeTick();
    void SetOpacityStep(int step);

    NotificationContext m_context;
    std::string FURL;
    QWidget* m_panel = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_icon = nullptr;
    QPushButton* m_closeButton = nullptr;
    std::unique_ptr<TickSource> m_autoClose;
    std::unique_ptr<TickSource> m_fade;
    int m_fadeStep = 0;
    bool m_closing = false;
};

} // namespace kelvane::ui
