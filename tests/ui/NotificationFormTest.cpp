#include "ui/update/NotificationForm.h"

#include "support/FakePlatform.h"
#include "support/FakeTickSource.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace kelvane::ui {
namespace {

class NotificationTest : public testing::Test
{
protected:
    std::unique_ptr<TfrmNotification> Show(int timeout, const std::string& address,
                                           const QString& message = QStringLiteral("Kelvane 1.02 is available"))
    {
        return TfrmNotification::ShowNotification(context, QStringLiteral("UPDATE AVAILABLE"), message, timeout,
                                                  address);
    }
    static test::FakeTickSource& Fake(TickSource& timer) { return dynamic_cast<test::FakeTickSource&>(timer); }
    static void ClickMessage(TfrmNotification& popup)
    {
        QLabel* label = popup.lblMessage();
        const QPointF at = QRectF(label->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, label->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(label, &press);
        QApplication::sendEvent(label, &release);
    }
    // The fade-out after a close, to its end.
    static void FinishFade(TfrmNotification& popup)
    {
        Fake(popup.FadeTimer()).Advance(TfrmNotification::FadeSteps * TfrmNotification::FadeStepMs);
    }

    test::FakeWebBrowser browser;
    NotificationContext context{browser, [] { return std::make_unique<test::FakeTickSource>(); }};
};

TEST_F(NotificationTest, ABorderlessRoundedPopupAboveAllWindowsAtTheTopRight)
{
    const auto popup = Show(20, "https://www.quillfen.example/download", QStringLiteral("<b>Kelvane</b> 1.02"));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(popup->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(popup->windowTitle(), QStringLiteral("Update Available"));
    EXPECT_EQ(popup->size(), QSize(350, 75));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(popup->pos(), QPoint(screen.x() + screen.width() - 350 - 20, screen.y() + 50));

    // The shape: the rectangle with its corners cut round.
    const QRegion shape = popup->mask();
    EXPECT_EQ(shape.boundingRect(), QRect(0, 0, 350, 75));
    for (const QPoint inside : {QPoint(175, 37), QPoint(5, 5), QPoint(344, 69), QPoint(10, 0), QPoint(0, 37)}) {
        EXPECT_TRUE(shape.contains(inside)) << inside.x() << "," << inside.y();
    }
    for (const QPoint corner : {QPoint(0, 0), QPoint(349, 0), QPoint(0, 74), QPoint(349, 74)}) {
        EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y();
    }

    EXPECT_EQ(popup->lblTitle()->text(), QStringLiteral("UPDATE AVAILABLE"));
    EXPECT_EQ(popup->lblTitle()->pos(), QPoint(12, 8));
    EXPECT_TRUE(popup->lblTitle()->font().bold());
    EXPECT_EQ(popup->lblTitle()->font().pixelSize(), 16);
    // A message from the network is shown as it is, never as markup.
    EXPECT_EQ(popup->lblMessage()->text(), QStringLiteral("<b>Kelvane</b> 1.02"));
    EXPECT_EQ(popup->lblMessage()->textFormat(), Qt::PlainText);
    EXPECT_EQ(popup->lblMessage()->pos(), QPoint(50, 39));
    EXPECT_EQ(popup->lblMessage()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(popup->lblMessage()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(popup->btnClose()->geometry(), QRect(328, 2, 20, 20));
    EXPECT_EQ(popup->btnClose()->text(), QStringLiteral("X"));
    EXPECT_EQ(popup->imgIcon()->geometry(), QRect(12, 35, 32, 32));
    EXPECT_EQ(popup->pnlMain()->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(popup->URL(), "https://www.quillfen.example/download");
}

TEST_F(NotificationTest, ALongMessageWrapsWithinThePopupOrEndsInAnEllipsisWithTheWholeTextAsTooltip)
{
    const QString ellipsis(QChar(0x2026));
    const struct
    {
        QString message;
        int lines; // at the least
        bool cut;
    } cases[] = {
        {QStringLiteral("Kelvane 1.02 is available"), 1, false},
        {QStringLiteral("Kelvane 1.02 is available with a new scheduler and twelve more styles"), 2, false},
        {QStringLiteral("Kelvane 1.02 is available with a new scheduler, twelve more styles, a faster folder scan, "
                        "previews for every screensaver and a great many smaller repairs that users asked for"),
         2, true},
        // One word wider than the popup breaks where it must.
        {QStringLiteral("https://www.quillfen.example/downloads/Kelvane-1.02-setup.exe"), 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        const auto popup = Show(20, {}, c.message);
        QLabel* label = popup->lblMessage();
        const QString shown = label->text();
        const QStringList lines = shown.split(u'\n');
        EXPECT_GE(lines.size(), c.lines);

        // Every line lies inside the label, and the label inside the popup, clear of its edges and below
        // the title.
        const QRect box = label->geometry();
        EXPECT_TRUE(QRect(0, 0, 350, 75).adjusted(1, 1, -1, -1).contains(box))
            << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
        EXPECT_GE(box.top(), popup->lblTitle()->geometry().bottom());
        EXPECT_GE(box.left(), 50);
        const QFontMetrics metrics(label->font());
        EXPECT_LE(static_cast<int>(lines.size()) * metrics.lineSpacing(), box.height() + metrics.leading());
        for (const QString& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), box.width()) << line.toStdString();
        }

        // Nothing of the message is lost: it shows whole, or the popup's tooltip holds it.
        if (c.cut) {
            EXPECT_TRUE(shown.endsWith(ellipsis));
            EXPECT_EQ(label->toolTip(), c.message);
        } else {
            EXPECT_FALSE(shown.contains(ellipsis));
            EXPECT_EQ(QString(shown).remove(u'\n').remove(u' '), QString(c.message).remove(u' '));
            EXPECT_TRUE(label->toolTip().isEmpty());
        }
        if (lines.size() == 1) {
            EXPECT_EQ(label->pos(), QPoint(50, 39)) << "a line that fits stays where it was designed";
        }
    }
}

TEST_F(NotificationTest, FadesInInAQuarterSecondToJustShortOfOpaque)
{
    const auto popup = Show(20, {});
    test::FakeTickSource& fade = Fake(popup->FadeTimer());
    EXPECT_EQ(popup->windowOpacity(), 0.0);
    fade.Advance(10);
    EXPECT_NEAR(popup->windowOpacity(), 10 / 255.0, 1e-3);
    fade.Advance(240);
    EXPECT_NEAR(popup->windowOpacity(), 250 / 255.0, 1e-3);
    EXPECT_FALSE(fade.IsRunning());
}

TEST_F(NotificationTest, ClosesByItselfOnlyAfterAPositiveTimeout)
{
    struct Case
    {
        int timeout;
        int closesAfterMs; // 0: never by itself
    };
    for (const Case c : {Case{20, 20000}, Case{1, 1000}, Case{0, 0}, Case{-5, 0}}) {
        const auto popup = Show(c.timeout, {});
        FinishFade(*popup);
        test::FakeTickSource& autoClose = Fake(popup->tmrAutoClose());
        if (c.closesAfterMs == 0) {
            EXPECT_FALSE(autoClose.IsRunning()) << c.timeout;
            autoClose.Advance(3600 * 1000);
            EXPECT_FALSE(popup->IsClosing()) << c.timeout;
            EXPECT_TRUE(popup->isVisible()) << c.timeout;
            continue;
        }
        autoClose.Advance(c.closesAfterMs - 1);
        EXPECT_FALSE(popup->IsClosing()) << c.timeout;
        autoClose.Advance(1);
        EXPECT_TRUE(popup->IsClosing()) << c.timeout;
        EXPECT_FALSE(autoClose.IsRunning()) << c.timeout;
        // It fades out before it goes.
        Fake(popup->FadeTimer()).Advance(100);
        EXPECT_TRUE(popup->isVisible()) << c.timeout;
        EXPECT_NEAR(popup->windowOpacity(), 150 / 255.0, 1e-3) << c.timeout;
        FinishFade(*popup);
        EXPECT_FALSE(popup->isVisible()) << c.timeout;
    }
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(NotificationTest, TheCloseButtonClosesItAtOnceEvenWhileItFadesIn)
{
    const auto popup = Show(20, "https://www.quillfen.example/download");
    Fake(popup->FadeTimer()).Advance(50);
    popup->btnClose()->click();
    EXPECT_TRUE(popup->IsClosing());
    EXPECT_FALSE(Fake(popup->tmrAutoClose()).IsRunning());
    Fake(popup->FadeTimer()).Advance(50);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(NotificationTest, AClickOnTheMessageOpensOnlyAWebAddressAndAlwaysCloses)
{
    struct Case
    {
        std::string address;
        bool opened;
    };
    const Case cases[] = {
        {"https://www.quillfen.example/download", true},
        {"http://www.quillfen.example/download", true},
        {"", false},
        {"file:///etc/passwd", false},
        {"/usr/bin/xterm", false},
        {"C:\\Windows\\System32\\cmd.exe", false},
        {"javascript:alert(1)", false},
    };
    for (const Case& c : cases) {
        browser.opened.clear();
        const auto popup = Show(20, c.address);
        FinishFade(*popup);
        ClickMessage(*popup);
        EXPECT_EQ(browser.opened, c.opened ? std::vector<std::string>{c.address} : std::vector<std::string>{})
            << c.address;
        EXPECT_TRUE(popup->IsClosing()) << c.address;
        FinishFade(*popup);
        EXPECT_FALSE(popup->isVisible()) << c.address;
        // A second click on a closing popup opens nothing more.
        ClickMessage(*popup);
        EXPECT_LE(browser.opened.size(), 1u) << c.address;
    }
}

TEST_F(NotificationTest, AnAddressTheBrowserCannotOpenStillClosesThePopup)
{
    browser.failWith = 31;
    const auto popup = Show(0, "https://www.quillfen.example/download");
    ClickMessage(*popup);
    EXPECT_EQ(browser.opened.size(), 1u);
    EXPECT_TRUE(popup->IsClosing());
}

} // namespace
} // namespace kelvane::ui
