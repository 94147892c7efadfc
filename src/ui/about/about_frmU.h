#pragma once

#include "common/VendorSite.h"
#include "ui/TickSource.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QPushButton;

namespace kelvane {
class RegionalSettings;
class TimeZone;
} // namespace kelvane

namespace kelvane::platform {
class BuildStamp;
class WebBrowser;
} // namespace kelvane::platform

namespace kelvane::ui {

class TezCredits;

// A warning box with no owner window, one OK button; written to standard error where no box can be seen.
void ShowWarningBox(const QString& caption, const QString& text);

// What the about box and the Help menu's web links are given by the composition root.
struct AboutContext
{
    platform::WebBrowser& Browser;
    platform::BuildStamp& Stamp;
    const TimeZone& Zone;
    const RegionalSettings& Regional;
    // The root page of the vendor's web site; the help page lies on it.
    std::string VendorSite = VendorSiteAddress;
    // Shows the warning of a web page that could not be opened.
    std::function<void(const QString& caption, const QString& text)> Warn = ShowWarningBox;
};

// Opens the address in the user's browser, with a warning box when that fails.
void OpenWebPage(const AboutContext& context, const std::string& address);

// The about box: a banner, and the program's name, version, build date and web site in scrolling
// credits. Clicking the credits opens the help page. Built afresh for every showing.
class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    // `creditsTimer` drives the credits' scrolling; by default a timer of the user-interface thread.
    explicit TfrmAbout(const AboutContext& context, QWidget* parent = nullptr,
                       std::unique_ptr<TickSource> creditsTimer = nullptr);

    TezCredits* ezCredits1() const { return m_credits; }
    QLabel* Banner() const { return m_banner; }
    QPushButton* CloseButton() const { return m_closeButton; }

    void ezCredits1Click();

private:
    AboutContext m_context;
    QLabel* m_banner = nullptr;
    TezCredits* m_credits = nullptr;
    QPushButton* m_closeButton = nullptr;
};

// "About" in the Help menu and in the tray menu: shows a new about box modally over the main window.
void About1Click(const AboutContext& context, QWidget* mainWindow);
// "Help" › "Online Help".
void SupportPageClick(const AboutContext& context);
// "Help" › "Get Screensavers".
void MoreScreensavers1Click(const AboutContext& context);

} // namespace kelvane::ui
