#include "common/StatusBarText.h"

#include "common/StatusBarWidths.h"

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

TEST(StatusBarWidths, TheMessageIsReadableAndTheOthersGiveWayOnlyAsFarAsNeeded)
{
    const struct
    {
        int available, rotation, scheduling, message;
        StatusBarWidths shared;
        const char* why;
    } cases[] = {
        {1000, 300, 300, 100, {300, 300, 400}, "room for all: the message panel takes the rest"},
        {1000, 300, 300, 500, {300, 200, 500}, "the scheduling panel gives way first"},
        {1000, 300, 300, 900, {200, 200, 600}, "a long message leaves each of the others a fifth"},
        {1000, 100, 300, 900, {100, 200, 700}, "a short panel keeps only what it needs"},
        {1000, 300, 300, 0, {300, 300, 400}, "an empty message"},
        {0, 300, 300, 300, {0, 0, 0}, "no room at all"},
    };
    for (const auto& c : cases) {
        const StatusBarWidths shared = ShareStatusBar(c.available, c.rotation, c.scheduling, c.message);
        EXPECT_EQ(shared, c.shared) << c.why;
        EXPECT_EQ(shared.Rotation + shared.Scheduling + shared.Message, c.available) << c.why;
    }
}

} // namespace
} // namespace kelvane
