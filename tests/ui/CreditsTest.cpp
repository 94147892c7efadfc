#include "ui/about/Credits.h"

#include "support/FakeTickSource.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace kelvane::ui {
namespace {

// A scroller whose time the test steps, with a record of what it reports.
class CreditsTest : public testing::Test
{
protected:
    CreditsTest()
    {
        auto timer = std::make_unique<test::FakeTickSource>();
        ticks = timer.get();
        credits = std::make_unique<TezCredits>(nullptr, std::move(timer));
        credits->SetOnShowCredit([this](TezCredits* sender, const QString& text) {
            EXPECT_EQ(sender, credits.get());
            shown.emplace_back(elapsed, text);
        });
        credits->SetAfterLastCredit([this](TezCredits*) { passEnds.push_back(elapsed); });
    }

    // Steps the scroller tick by tick, so the records say at which tick something happened.
    void Tick(int count)
    {
        for (int i = 0; i < count; ++i) {
            ++elapsed;
            ticks->Advance(ticks->Interval());
        }
    }

    QImage Picture() { return credits->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    test::FakeTickSource* ticks = nullptr;
    std::unique_ptr<TezCredits> credits;
    int elapsed = 0;
    std::vector<std::pair<int, QString>> shown;
    std::vector<int> passEnds;
};

// Whether any pixel of the picture has the colour (text is antialiased, so its core pixels are exact).
bool HasColor(const QImage& image, QColor color, QRect area = {})
{
    const QRect where = area.isNull() ? image.rect() : area & image.rect();
    for (int y = where.top(); y <= where.bottom(); ++y) {
        for (int x = where.left(); x <= where.right(); ++x) {
            if (image.pixelColor(x, y) == color) {
                return true;
            }
        }
    }
    return false;
}

// The leftmost column that holds a pixel other than the background, inside the border.
int LeftmostInk(const QImage& image, QColor background)
{
    for (int x = 1; x < image.width() - 1; ++x) {
        for (int y = 1; y < image.height() - 1; ++y) {
            if (image.pixelColor(x, y) != background) {
                return x;
            }
        }
    }
    return -1;
}

TEST_F(CreditsTest, StartsStillWithItsDefaults)
{
    EXPECT_TRUE(credits->Credits().isEmpty());
    EXPECT_EQ(credits->CreditsFont().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(credits->CreditsFontColor(), QColor(255, 255, 255));
    EXPECT_EQ(credits->BackgroundColor(), QColor(0, 0, 0));
    EXPECT_EQ(credits->BorderColor(), QColor(255, 255, 255));
    EXPECT_FALSE(credits->Animate());
    EXPECT_EQ(credits->Interval(), 50u);
    EXPECT_EQ(ticks->Interval(), 50);
    EXPECT_TRUE(credits->Visible());
    EXPECT_TRUE(credits->BackgroundImage().isNull());
    EXPECT_TRUE(credits->ShowBorder());
    EXPECT_TRUE(credits->PauseOnMouseOver());
    EXPECT_TRUE(credits->CenterText());
    EXPECT_EQ(credits->size(), QSize(300, 200));
    EXPECT_EQ(credits->FirstLineTop(), 0);
    EXPECT_FALSE(ticks->IsRunning());
}

TEST_F(CreditsTest, ScrollsOnePixelPerTickOfTheInterval)
{
    credits->SetInterval(15);
    credits->SetCredits({QStringLiteral("one"), QStringLiteral("two")});
    credits->SetAnimate(true);
    const int h = credits->LineHeight();
    ASSERT_GT(h, 0);
    EXPECT_EQ(credits->FirstLineTop(), 200 + h) << "one line below the bottom edge";
    EXPECT_TRUE(ticks->IsRunning());

    ticks->Advance(1000); // 66 whole periods of 15 ms
    EXPECT_EQ(credits->FirstLineTop(), 200 + h - 66);
    ticks->Advance(500);
    EXPECT_EQ(credits->FirstLineTop(), 200 + h - 100);

    credits->SetAnimate(false);
    EXPECT_FALSE(ticks->IsRunning());
    ticks->Advance(1000);
    EXPECT_EQ(credits->FirstLineTop(), 200 + h) << "stopped; the position is set for the next start";
}

TEST_F(CreditsTest, EveryPassReportsEachLineOnceAndEndsWhenTheTextHasLeft)
{
    credits->SetCredits({QStringLiteral("&c205,184,72;{{XXL}}&b Kelvane"), QStringLiteral("{{MED}}&b{{blue}}Visit"),
                         QStringLiteral("A&Bb")});
    credits->SetAnimate(true);
    const int h = credits->LineHeight();
    const int H = 200;
    // The first line at once; each next one as its top edge reaches the bottom edge.
    const std::vector<std::pair<int, QString>> firstPass = {
        {0, QStringLiteral(" Kelvane")}, {2 * h, QStringLiteral("Visit")}, {3 * h, QStringLiteral("A&Bb")}};
    Tick(3 * h);
    EXPECT_EQ(shown, firstPass);

    // The text has left once the position is below -3h: the pass ends on the tick after it reaches -3h - 1.
    const int firstEnd = (H + h) - (-3 * h - 1) + 1;
    Tick(firstEnd - elapsed - 1);
    EXPECT_TRUE(passEnds.empty());
    EXPECT_EQ(credits->FirstLineTop(), -3 * h - 1);
    Tick(1);
    EXPECT_EQ(passEnds, std::vector<int>{firstEnd});
    EXPECT_EQ(credits->FirstLineTop(), H) << "the next pass starts at the bottom edge";
    ASSERT_EQ(shown.size(), 4u) << "the first line again at once";
    EXPECT_EQ(shown[3], std::make_pair(firstEnd, QStringLiteral(" Kelvane")));

    const int secondEnd = firstEnd + H + 3 * h + 2;
    Tick(secondEnd - elapsed);
    EXPECT_EQ(passEnds, (std::vector<int>{firstEnd, secondEnd}));
    EXPECT_EQ(shown.size(), 7u) << "every line once per pass";
}

TEST_F(CreditsTest, WithoutLinesAPassEndsEachTimeThePositionFallsBelowZero)
{
    credits->SetAnimate(true);
    const int h = credits->LineHeight();
    Tick(200 + h + 2);
    EXPECT_EQ(passEnds, std::vector<int>{200 + h + 2});
    Tick(200 + 2);
    EXPECT_EQ(passEnds, (std::vector<int>{200 + h + 2, 200 + h + 2 + 202}));
    EXPECT_TRUE(shown.empty());
}

TEST_F(CreditsTest, PausesUnderTheMouseAndShowsTheHandPointer)
{
    credits->SetCredits({QStringLiteral("line")});
    credits->setCursor(Qt::CrossCursor);
    const auto enter = [this] {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(credits.get(), &event);
    };
    const auto leave = [this] {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(credits.get(), &event);
    };

    credits->SetAnimate(true);
    const int start = credits->FirstLineTop();
    enter();
    EXPECT_FALSE(ticks->IsRunning());
    EXPECT_EQ(credits->cursor().shape(), Qt::PointingHandCursor);
    Tick(30);
    EXPECT_EQ(credits->FirstLineTop(), start) << "held while the mouse is over it";
    leave();
    EXPECT_TRUE(ticks->IsRunning());
    EXPECT_EQ(credits->cursor().shape(), Qt::CrossCursor) << "the cursor it had";
    Tick(30);
    EXPECT_EQ(credits->FirstLineTop(), start - 30);

    // Without pausing, only the cursor changes.
    credits->SetPauseOnMouseOver(false);
    enter();
    EXPECT_TRUE(ticks->IsRunning());
    EXPECT_EQ(credits->cursor().shape(), Qt::PointingHandCursor);
    // Turning pausing on with the mouse over it holds the text; turning it off again lets it go.
    credits->SetPauseOnMouseOver(true);
    EXPECT_FALSE(ticks->IsRunning());
    credits->SetPauseOnMouseOver(false);
    EXPECT_TRUE(ticks->IsRunning());
    leave();

    // Standing still, entering and leaving start nothing.
    credits->SetAnimate(false);
    enter();
    leave();
    EXPECT_FALSE(ticks->IsRunning());
}

TEST_F(CreditsTest, HidingStopsAndShowingStartsAgainFromTheBottomEdge)
{
    credits->SetCredits({QStringLiteral("a"), QStringLiteral("b")});
    credits->SetAnimate(true);
    Tick(100);
    const size_t reported = shown.size();

    credits->SetVisible(false);
    EXPECT_FALSE(ticks->IsRunning());
    QWidget parent;
    parent.resize(300, 200);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(10, 200, 30));
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    credits->setParent(&parent);
    const QImage hidden = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(hidden.pixelColor(0, 0), QColor(10, 200, 30)) << "the parent shows through, border and all";
    EXPECT_EQ(hidden.pixelColor(150, 100), QColor(10, 200, 30));
    credits->SetVisible(false); // no change: nothing happens
    EXPECT_FALSE(ticks->IsRunning());

    credits->SetVisible(true);
    EXPECT_TRUE(ticks->IsRunning());
    EXPECT_EQ(credits->FirstLineTop(), 200);
    ASSERT_EQ(shown.size(), reported + 1) << "the first line is reported again at once";
    EXPECT_EQ(shown.back().second, QStringLiteral("a"));
    credits->setParent(nullptr);
}

TEST_F(CreditsTest, DrawsEachLineInTheColourItsMarkupGives)
{
    credits->SetCreditsFont(QFont(QStringLiteral("DejaVu Sans"), 28, QFont::Bold));
    credits->SetCredits({QStringLiteral("{{GREEN}}Hello"), QStringLiteral("&c255,0,0;Red &c0,0,255;Blue"),
                         QStringLiteral("&c300,0,0;kept"), QStringLiteral("plain")});
    const QImage picture = Picture();
    const int h = credits->LineHeight();
    const auto band = [h](int line) { return QRect(1, 4 + line * h, 298, h); };
    EXPECT_TRUE(HasColor(picture, QColor(0, 128, 0), band(0)));
    EXPECT_TRUE(HasColor(picture, QColor(0, 0, 255), band(1)));
    EXPECT_FALSE(HasColor(picture, QColor(255, 0, 0), band(1))) << "the last colour code is the whole line's";
    EXPECT_TRUE(HasColor(picture, QColor(255, 255, 255), band(2))) << "a bad code keeps the font's colour";
    EXPECT_TRUE(HasColor(picture, QColor(255, 255, 255), band(3)));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(255, 255, 255)) << "border";
    EXPECT_EQ(picture.pixelColor(299, 199), QColor(255, 255, 255));
    EXPECT_EQ(picture.pixelColor(150, 198), QColor(0, 0, 0)) << "background";

    credits->SetShowBorder(false);
    credits->SetBackgroundColor(QColor(0, 0, 90));
    EXPECT_EQ(Picture().pixelColor(0, 0), QColor(0, 0, 90));
}

TEST_F(CreditsTest, TheBackgroundPictureIsStretchedAndAnEmptyOneIsNone)
{
    QPixmap halves(10, 10);
    halves.fill(QColor(200, 0, 0));
    QPainter(&halves).fillRect(0, 5, 10, 5, QColor(0, 0, 200));
    credits->SetShowBorder(false);
    credits->SetBackgroundImage(halves);
    QImage picture = Picture();
    EXPECT_EQ(picture.pixelColor(150, 20), QColor(200, 0, 0));
    EXPECT_EQ(picture.pixelColor(150, 180), QColor(0, 0, 200));

    credits->resize(40, 600);
    picture = Picture();
    EXPECT_EQ(picture.pixelColor(20, 580), QColor(0, 0, 200)) << "stretched again to the new size";

    credits->SetBackgroundImage(QPixmap());
    credits->SetBackgroundColor(QColor(0, 70, 0));
    EXPECT_EQ(Picture().pixelColor(20, 20), QColor(0, 70, 0));
}

TEST_F(CreditsTest, LinesAreCentredOrStartAtTheLeftEdge)
{
    const QColor black(0, 0, 0);
    credits->SetShowBorder(false);
    credits->SetCreditsFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    credits->SetCredits({QStringLiteral("MMMM")});
    const int centred = LeftmostInk(Picture(), black);
    EXPECT_GT(centred, 100);
    EXPECT_LT(centred, 150);
    credits->SetCenterText(false);
    EXPECT_LT(LeftmostInk(Picture(), black), 6);

    // Wider than the control and centred: cut on both sides.
    credits->SetCenterText(true);
    credits->SetCredits({QString(400, u'M')});
    const QImage wide = Picture();
    EXPECT_LT(LeftmostInk(wide, black), 12) << "ink from the left edge on";
    EXPECT_TRUE(HasColor(wide, QColor(255, 255, 255), QRect(290, 0, 10, 200)));
}

// Counts the paint events of a widget and the area they cover.
class PaintRecorder : public QObject
{
public:
    using QObject::QObject;
    std::vector<QRegion> regions;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }
};

TEST_F(CreditsTest, ATickRepaintsOnlyTheBandsOfTheMovingLines)
{
    // Paints the dirty area now rather than at the window's next frame.
    const auto flush = [this] {
        QEvent request(QEvent::UpdateRequest);
        QApplication::sendEvent(credits.get(), &request);
    };
    credits->SetCredits({QString(), QStringLiteral("moving"), QString()});
    credits->SetPauseOnMouseOver(false); // the pointer may rest where the window opens
    credits->show();
    QApplication::processEvents(); // shown and exposed
    credits->SetAnimate(true);
    const int h = credits->LineHeight();
    Tick(200 + h - 100); // the text line's top at 100 + h
    flush();

    PaintRecorder recorder;
    credits->installEventFilter(&recorder);
    Tick(1);
    flush();
    ASSERT_EQ(recorder.regions.size(), 1u);
    const QRect painted = recorder.regions.back().boundingRect();
    EXPECT_EQ(painted.top(), 100 + h - 1) << "the band after the step...";
    EXPECT_LE(painted.bottom(), 100 + 2 * h + 1) << "...and before it, not the whole control";
    credits->hide();
}

// Whatever it is given, the control paints and scrolls without failing or hanging.
TEST_F(CreditsTest, SurvivesDegenerateSizesAndTexts)
{
    const QString huge(100000, u'W');
    const QStringList texts[] = {
        {},
        {QString()},
        {huge},
        {QStringLiteral("&c"), QStringLiteral("&"), QStringLiteral("{{XXL}}{{"), QStringLiteral("&c1,2,3,4;")},
        QStringList(5000, QStringLiteral("{{SM}}x")),
    };
    const QSize sizes[] = {{0, 0}, {1, 1}, {3000, 2000}, {465, 217}};
    for (const QStringList& text : texts) {
        for (const QSize& size : sizes) {
            credits->resize(size);
            credits->SetCredits(text);
            credits->SetAnimate(false);
            credits->grab();
            credits->SetAnimate(true);
            Tick(3);
            credits->grab();
        }
    }
    QFont enormous = credits->CreditsFont();
    enormous.setPixelSize(4000);
    credits->SetCreditsFont(enormous);
    credits->resize(465, 217);
    credits->SetCredits({QStringLiteral("{{XXL}}big"), QStringLiteral("x")});
    Tick(5);
    credits->grab();
    EXPECT_GT(credits->LineHeight(), 1000);

    credits->SetInterval(0);
    EXPECT_GE(ticks->Interval(), 1) << "a period of 0 would keep a core busy";
    credits->SetInterval(4000000000u);
    EXPECT_GT(ticks->Interval(), 0);
}

} // namespace
} // namespace kelvane::ui
