#include "settings/WindowPlacement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kelvane {

void PrintTo(const WindowRect& r, std::ostream* out)
{
    *out << "{" << r.Left << ", " << r.Top << ", " << r.Width << " x " << r.Height << "}";
}

namespace {

// A laptop's screen with the taskbar at the bottom, and a monitor to its left, shorter, whose
// coordinates are negative.
constexpr WindowRect kLaptop{0, 0, 1366, 728};
constexpr WindowRect kLeftMonitor{-1280, 0, 1280, 984};
constexpr FrameMargins kWineFrame{4, 23, 4, 4};

TEST(FitFrameOnScreen, MovesAndShrinksTheFrameIntoTheAvailableArea)
{
    const ScreenAreas laptopOnly{{kLaptop}, 0};
    const ScreenAreas twoScreens{{kLaptop, kLeftMonitor}, 0};
    const struct
    {
        const char* what;
        WindowRect frame;
        ScreenAreas screens;
        WindowRect expected;
    } cases[] = {
        {"inside: left alone", {100, 100, 800, 600}, laptopOnly, {100, 100, 800, 600}},
        {"an exact fit: left alone", kLaptop, laptopOnly, kLaptop},
        {"a first start centred on the whole screen: the title bar comes down",
         {171, -6, 1024, 780},
         laptopOnly,
         {171, 0, 1024, 728}},
        {"too big both ways", {-10, -10, 1600, 1000}, laptopOnly, kLaptop},
        {"too wide only", {300, 50, 1500, 600}, laptopOnly, {0, 50, 1366, 600}},
        {"off the left edge", {-50, 100, 800, 600}, laptopOnly, {0, 100, 800, 600}},
        {"off the right edge", {1000, 100, 800, 600}, laptopOnly, {566, 100, 800, 600}},
        {"off the top edge", {100, -40, 800, 600}, laptopOnly, {100, 0, 800, 600}},
        {"off the bottom edge, into the taskbar", {100, 500, 800, 600}, laptopOnly, {100, 128, 800, 600}},
        {"placed on a larger screen", {500, 200, 1100, 790}, laptopOnly, {266, 0, 1100, 728}},
        {"on a screen that is gone: onto the primary", {3000, 200, 800, 600}, laptopOnly, {566, 128, 800, 600}},
        {"on a left screen that is gone", {-1200, 100, 800, 600}, laptopOnly, {0, 100, 800, 600}},
        {"on the left monitor: left alone", {-1200, 100, 1000, 700}, twoScreens, {-1200, 100, 1000, 700}},
        {"below the left monitor's bottom", {-1200, 400, 1000, 700}, twoScreens, {-1200, 284, 1000, 700}},
        {"off the left monitor's left edge", {-1400, 100, 1000, 700}, twoScreens, {-1280, 100, 1000, 700}},
        {"across both: onto the one holding more of it", {-900, 100, 1000, 700}, twoScreens, {-1000, 100, 1000, 700}},
        {"too big for the left monitor", {-1280, 0, 1400, 1000}, twoScreens, {-1280, 0, 1280, 984}},
        {"gone while the primary is listed second",
         {5000, 5000, 800, 600},
         {{kLeftMonitor, kLaptop}, 1},
         {566, 128, 800, 600}},
        {"an empty size: from its corner", {-500, 300, 0, -7}, twoScreens, {-500, 300, 1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitFrameOnScreen(c.frame, c.screens, {}), c.expected) << c.what;
    }
}

TEST(FitFrameOnScreen, NeverShrinksTheClientBelowTheWindowsSmallestSize)
{
    const ScreenAreas laptop{{kLaptop}, 0};
    // Shrunk only down to the smallest client area and its frame; what still does not fit keeps its title
    // bar on the screen.
    EXPECT_EQ(FitFrameOnScreen({200, 100, 1600, 1000}, laptop, kWineFrame, {900, 500}), (WindowRect{0, 0, 1366, 728}));
    EXPECT_EQ(FitFrameOnScreen({200, 100, 1600, 1000}, laptop, kWineFrame, {1400, 800}), (WindowRect{0, 0, 1408, 827}));
    EXPECT_EQ(FitFrameOnScreen({200, 100, 300, 200}, laptop, kWineFrame, {400, 300}), (WindowRect{200, 100, 408, 327}));
}

TEST(FitFrameOnScreen, WithoutScreensNothingMovesAndNothingOverflows)
{
    const WindowRect anywhere{-7, 9000, 5, 5};
    EXPECT_EQ(FitFrameOnScreen(anywhere, {}, kWineFrame), anywhere);
    // Hand-edited extremes: the arithmetic stays in range.
    EXPECT_EQ(FitFrameOnScreen({INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX}, {{kLaptop}, 0}, kWineFrame), kLaptop);
}

TEST(FrameAndClient, TurnIntoEachOtherThroughTheMargins)
{
    const WindowRect frame{-4, -29, 1032, 780};
    const WindowRect client{0, -6, 1024, 753};
    EXPECT_EQ(ClientRectOf(frame, kWineFrame), client);
    EXPECT_EQ(FrameRectOf(client, kWineFrame), frame);
    EXPECT_EQ(ClientRectOf(frame, {}), frame) << "no frame: the same rectangle";
}

} // namespace
} // namespace kelvane
