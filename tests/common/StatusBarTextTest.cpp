#include "common/StatusBarText.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(StatusBarText, RotationPanel)
{
    const struct
    {
        bool on;
        const char* interval;
        const char* text;
    } cases[] = {
        {true, "3600", "Auto Rotate: ON | Interval: 0 days, 1 hours, 0 minutes, 0 seconds"},
        {false, "86400", "Auto Rotate: OFF | Interval: 1 days, 0 hours, 0 minutes, 0 seconds"},
        {true, "90061", "Auto Rotate: ON | Interval: 1 days, 1 hours, 1 minutes, 1 seconds"},
        {true, "", "Auto Rotate: ON | Interval: 0 days, 0 hours, 0 minutes, 0 seconds"},
        {true, "12a", "Auto Rotate: ON | Interval: 0 days, 0 hours, 0 minutes, 0 seconds"},
        {true, "2147483", "Auto Rotate: ON | Interval: 24 days, 20 hours, 31 minutes, 23 seconds"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RotationStatusText(c.on, c.interval), c.text) << c.interval;
    }
}

TEST(StatusBarText, SchedulingPanel)
{
    EXPECT_EQ(SchedulingStatusText(true, "Next Event: x in: ..."), "Next Event: x in: ...");
    EXPECT_EQ(SchedulingStatusText(false, "Next Event: x in: ..."), "Event Schedules are OFF");
    EXPECT_EQ(SplitSeconds(-90061), (SplitTime{-1, -1, -1, -1})) << "toward zero";
}

} // namespace
} // namespace kelvane
