#include "ui/about/about_frmU.h"

#include "about/AboutText.h"
#include "common/BuildDate.h"
#include "common/WebPage.h"
#include "platform/RegionalSettings.h"
#include "platform/qt/QtText.h"
#include "ui/StartupErrors.h"
#include "ui/about/AboutArtwork.h"
#include "ui/about/Credits.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace kelvane::ui {
namespace {

using platform::FromUtf8;

} // namespace

void ShowWarningBox(const QString& caption, const QString& text)
{
    // Without a screen to show it on, a modal box would wait forever for a click nobody can make.
    if (!DisplayIsAvailable()) {
        std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
        return;
    }
    QMessageBox::warning(nullptr, caption, text);
}

void OpenWebPage(const AboutContext& context, const std::string& address)
{
    if (const auto warning = kelvane::OpenWebPage(context.Browser, address)) {
        context.Warn(QString::fromUtf8(OpenWebPageWarningCaption), FromUtf8(*warning));
    }
}

TfrmAbout::TfrmAbout(const AboutContext& context, QWidget* parent, std::unique_ptr<TickSource> creditsTimer)
    : QDialog(parent), m_context(context)
{
    setWindowTitle(FromUtf8(AboutCaption()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(497, 366);
    QFont windowFont;
    windowFont.setFamilies({QStringLiteral("Segoe UI")});
    windowFont.setPixelSize(12);
    setFont(windowFont);

    m_banner = new QLabel(this);
    m_banner->setGeometry(0, 0, 497, 93);
    m_banner->setAlignment(Qt::AlignCenter);
    m_banner->setPixmap(AboutBanner().scaled(497, 93, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_credits = new TezCredits(this, std::move(creditsTimer));
    m_credits->setGeometry(16, 104, 465, 217);
    QFont creditsFont = m_credits->CreditsFont();
    creditsFont.setFamilies({QStringLiteral("Tahoma")});
    creditsFont.setPixelSize(12);
    m_credits->SetCreditsFont(creditsFont);
    m_credits->SetCreditsFontColor(QColor(255, 255, 255));
    m_credits->SetBackgroundColor(QColor(0, 0, 0));
    m_credits->SetBorderColor(QColor(0, 128, 128));
    m_credits->SetShowBorder(true);
    m_credits->SetPauseOnMouseOver(true);
    m_credits->SetCenterText(true);
    m_credits->SetInterval(15);
    m_credits->SetBackgroundImage(NightLakePicture(QSize(1440, 1280)));
    m_credits->SetAnimate(true);
    connect(m_credits, &TezCredits::clicked, this, &TfrmAbout::ezCredits1Click);

    m_closeButton = new QPushButton(QStringLiteral("Close"), this);
    m_closeButton->setGeometry(211, 331, 75, 25);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    const std::string buildDate =
        BuildDateText(BuildDateTime(m_context.Stamp, m_context.Zone), m_context.Regional.Read());
    QStringList rows;
    for (const std::string& row : AboutCreditRows(buildDate, m_context.VendorSite)) {
        rows << FromUtf8(row);
    }
    m_credits->SetCredits(rows);
}

void TfrmAbout::ezCredits1Click()
{
    OpenWebPage(m_context, HelpPageAddress(m_context.VendorSite));
}

void About1Click(const AboutContext& context, QWidget* mainWindow)
{
    TfrmAbout about(context, mainWindow);
    about.exec();
}

void SupportPageClick(const AboutContext& context)
{
    OpenWebPage(context, HelpPageAddress(context.VendorSite));
}

void MoreScreensavers1Click(const AboutContext& context)
{
    OpenWebPage(context, context.VendorSite);
}

} // namespace kelvane::ui
