#include "support/FakePlatform.h"
#include "support/FakeTickSource.h"
#include "support/Fakes.h"
#include "ui/MainMenus.h"
#include "ui/about/AboutMenus.h"
#include "ui/about/Credits.h"
#include "ui/about/about_frmU.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kelvane::ui {
namespace {

const QString HelpPage = QStringLiteral("https://vendor.example/help.kelvane.html");

class AboutBoxTest : public testing::Test
{
protected:
    AboutContext Context()
    {
        AboutContext made{browser, stamp, zone, regional};
        made.VendorSite = "https://vendor.example";
        made.Warn = [this](const QString& caption, const QString& text) { warnings << caption + u'|' + text; };
        return made;
    }

    std::unique_ptr<TfrmAbout> Create()
    {
        auto timer = std::make_unique<test::FakeTickSource>();
        ticks = timer.get();
        return std::make_unique<TfrmAbout>(context, nullptr, std::move(timer));
    }

    static void Click(QWidget* widget)
    {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        const QPointF global = widget->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
    }

    test::FakeWebBrowser browser;
    test::FakeBuildStamp stamp{1700000000}; // 14 November 2023 22:13:20 UTC
    test::FakeTimeZone zone{-5 * 3600};
    test::FakeRegionalSettings regional;
    AboutContext context = Context();
    test::FakeTickSource* ticks = nullptr;
    QStringList warnings;
};

TEST_F(AboutBoxTest, ShowsTitleVersionAndBuildDateInItsCredits)
{
    const auto about = Create();
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Kelvane v1.01"));
    const QStringList expected = {
        QStringLiteral("&c205,184,72;{{XXL}}&b Kelvane"),
        QString(),
        QString(),
        QStringLiteral("{{white}}{{LG}}v1.01 {{SM}}64-bit"),
        QString(),
        QStringLiteral("{{SM}}Created: 11/14/2023 5:13:20 PM"),
        QString(),
        QString(),
        QString(),
        QStringLiteral("&bThis software available at."),
        QString(),
        QStringLiteral("{{MED}}&b{{blue}}https://vendor.example"),
        QString(),
        QStringLiteral("{{white}}{{SM}}Copyright \u00A9 Quillfen. All rights reserved."),
    };
    EXPECT_EQ(about->ezCredits1()->Credits(), expected);

    stamp.seconds.reset();
    EXPECT_EQ(Create()->ezCredits1()->Credits().at(5), QStringLiteral("{{SM}}Created: 12/30/1899"))
        << "no stamp: the zero date-time";
    stamp.seconds = 1700024400; // local midnight
    EXPECT_EQ(Create()->ezCredits1()->Credits().at(5), QStringLiteral("{{SM}}Created: 11/15/2023"));
}

TEST_F(AboutBoxTest, HasItsLayoutAndAScrollingTealFramedScroller)
{
    const auto about = Create();
    EXPECT_EQ(about->size(), QSize(497, 366));
    EXPECT_EQ(about->minimumSize(), about->maximumSize()) << "fixed";
    EXPECT_EQ(about->font().pixelSize(), 12);
    EXPECT_EQ(about->Banner()->geometry(), QRect(0, 0, 497, 93));
    EXPECT_EQ(about->Banner()->pixmap().width(), 497);
    EXPECT_EQ(about->CloseButton()->geometry(), QRect(211, 331, 75, 25));
    EXPECT_EQ(about->CloseButton()->text(), QStringLiteral("Close"));

    TezCredits* credits = about->ezCredits1();
    EXPECT_EQ(credits->geometry(), QRect(16, 104, 465, 217));
    EXPECT_EQ(credits->CreditsFont().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(credits->CreditsFont().pixelSize(), 12);
    EXPECT_EQ(credits->CreditsFontColor(), QColor(255, 255, 255));
    EXPECT_EQ(credits->BackgroundColor(), QColor(0, 0, 0));
    EXPECT_EQ(credits->BorderColor(), QColor(0, 128, 128));
    EXPECT_TRUE(credits->ShowBorder());
    EXPECT_TRUE(credits->PauseOnMouseOver());
    EXPECT_TRUE(credits->CenterText());
    EXPECT_FALSE(credits->BackgroundImage().isNull());
    EXPECT_EQ(credits->Interval(), 15u);
    EXPECT_TRUE(credits->Animate());
    EXPECT_TRUE(ticks->IsRunning());
    EXPECT_EQ(credits->FirstLineTop(), 217 + credits->LineHeight()) << "starts below the bottom edge";
    ticks->Advance(150);
    EXPECT_EQ(credits->FirstLineTop(), 217 + credits->LineHeight() - 10);

    const QImage picture = credits->grab().toImage();
    EXPECT_EQ(picture.pixelColor(0, 100), QColor(0, 128, 128)) << "the teal border";
}

TEST_F(AboutBoxTest, ClickingTheCreditsOpensTheHelpPageAndTheBannerDoesNothing)
{
    const auto about = Create();
    Click(about->Banner());
    EXPECT_TRUE(browser.opened.empty());
    Click(about->ezCredits1());
    EXPECT_EQ(browser.opened, std::vector<std::string>{HelpPage.toStdString()});
    EXPECT_TRUE(warnings.isEmpty());

    browser.failWith = 2;
    about->show();
    Click(about->ezCredits1());
    EXPECT_EQ(warnings, QStringList{QStringLiteral("Debug|Error opening URL. Error code: 2")});
    EXPECT_TRUE(about->isVisible()) << "the about box stays";

    Click(about->CloseButton());
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(about->result(), QDialog::Accepted);
}

TEST_F(AboutBoxTest, MenusOpenTheAboutBoxAndTheWebPages)
{
    QMainWindow window;
    const MainMenus menus = BuildMainMenus(&window);
    ConnectAboutMenus(&window, menus, context);

    // Each opening is a new modal box whose credits start again below the bottom edge.
    for (QAction* action : {menus.About, menus.TrayAbout, menus.About}) {
        QString title;
        int top = 0;
        int expectedTop = -1;
        QTimer::singleShot(0, &window, [&] {
            auto* about = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
            ASSERT_NE(about, nullptr);
            title = about->windowTitle();
            top = about->ezCredits1()->FirstLineTop();
            expectedTop = about->ezCredits1()->height() + about->ezCredits1()->LineHeight();
            about->CloseButton()->click();
        });
        action->trigger(); // returns when the box is closed
        EXPECT_EQ(title, QStringLiteral("Kelvane v1.01"));
        EXPECT_EQ(top, expectedTop);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    menus.GetScreensavers->trigger();
    menus.OnlineHelp->trigger();
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"https://vendor.example", HelpPage.toStdString()}));
}

} // namespace
} // namespace kelvane::ui
