// The main window's placement on a laptop's 1024 x 768 screen with a 1280 x 1024 monitor to its left
// (negative coordinates); the offscreen screens give every window a frame two pixels wide.
#include "ui/MainWindowFixture.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace kelvane::ui::test {
namespace {

using PlacementTest = MainWindowTest;

std::string Placement(int left, int top, int width, int height)
{
    return "[PosSave]\r\nLeft=" + std::to_string(left) + "\r\nTop=" + std::to_string(top) +
           "\r\nWidth=" + std::to_string(width) + "\r\nHeight=" + std::to_string(height) + "\r\n";
}

TEST_F(PlacementTest, TheScreensAreTheOnesThisTestMeans)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    EXPECT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1024, 768));
    EXPECT_EQ(QGuiApplication::screens()[1]->availableGeometry(), QRect(-1280, 0, 1280, 1024));
}

TEST_F(PlacementTest, TheWholeFrameOpensOnTheScreenItLandsOn)
{
    const struct
    {
        const char* what;
        std::string stored;
        QRect frame;
    } cases[] = {
        {"a first start: centred, with the title bar brought down onto the screen", "", {0, 0, 1024, 768}},
        {"placed on a larger screen", Placement(300, 200, 900, 700), {124, 68, 900, 700}},
        {"on a screen that is gone: onto the primary", Placement(2000, 100, 800, 700), {224, 68, 800, 700}},
        {"on the left monitor: where it was", Placement(-1200, 200, 900, 700), {-1200, 200, 900, 700}},
        {"partly below the left monitor", Placement(-1200, 500, 900, 700), {-1200, 324, 900, 700}},
        {"too large for any screen", Placement(-1500, -50, 3000, 1100), {-1280, 0, 1280, 1024}},
    };
    for (const auto& c : cases) {
        dir.write("settings.ini", c.stored);
        auto window = Create();
        window->ShowAtStart();
        EXPECT_EQ(window->frameGeometry(), c.frame) << c.what;
        EXPECT_NE(window->geometry(), window->frameGeometry()) << "the client area lies inside the frame";

        window->Exit1Click();
        const QRect stored(std::stoi(Ini("PosSave", "Left")), std::stoi(Ini("PosSave", "Top")),
                           std::stoi(Ini("PosSave", "Width")), std::stoi(Ini("PosSave", "Height")));
        EXPECT_EQ(stored, c.frame) << "the exit stores the frame: " << c.what;
    }
}

TEST_F(PlacementTest, TheWayBackFromTheTrayLandsOnAScreenToo)
{
    auto window = Create();
    window->ShowAtStart();
    ASSERT_FALSE(window->close()) << "hidden to the tray";
    // Meanwhile the placement names a place on no screen (another program, or a monitor unplugged).
    dir.write("settings.ini", Placement(-5000, 3000, 800, 700));
    window->BringTheWindowUp();
    EXPECT_EQ(window->frameGeometry(), QRect(0, 68, 800, 700));
}

} // namespace
} // namespace kelvane::ui::test
