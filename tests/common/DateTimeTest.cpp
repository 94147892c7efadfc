#include "common/DateTime.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelvane {
namespace {

TEST(DayCount, EncodesAndDecodesKnownDates)
{
    const struct
    {
        double value;
        CivilDateTime parts;
    } cases[] = {
        {0.0, {{1899, 12, 30}, {0, 0, 0, 0}}},
        {2.0, {{1900, 1, 1}, {0, 0, 0, 0}}},
        {0.5, {{1899, 12, 30}, {12, 0, 0, 0}}},
        {-1.25, {{1899, 12, 29}, {6, 0, 0, 0}}}, // before day 0 the time still runs forward
        {25569.0, {{1970, 1, 1}, {0, 0, 0, 0}}},
        {36585.0, {{2000, 2, 29}, {0, 0, 0, 0}}},
        {45285.0 + 14.0 / 24.0, {{2023, 12, 25}, {14, 0, 0, 0}}},
        {-693593.0, {{1, 1, 1}, {0, 0, 0, 0}}},
        {2958465.0 + 86399.0 / 86400.0, {{9999, 12, 31}, {23, 59, 59, 0}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeDateTime(c.value), c.parts) << c.value;
        EXPECT_NEAR(EncodeDateTime(c.parts), c.value, 1e-9) << c.value;
    }
}

TEST(DayCount, RoundsToTheNearestMillisecond)
{
    const CivilDateTime almostMidnight = DecodeDateTime(45000.0 + (86399.9996 / 86400.0));
    EXPECT_EQ(almostMidnight, (CivilDateTime{DateOfDayNumber(45001), {0, 0, 0, 0}}));
    EXPECT_EQ(DecodeDateTime(EncodeDateTime({{2024, 3, 10}, {2, 30, 15, 999}})).Time, (TimeOfDay{2, 30, 15, 999}));
}

TEST(DayCount, ValuesOutsideTheCalendarDecodeAsDayZero)
{
    for (const double bad : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(), 3e6}) {
        EXPECT_EQ(DecodeDateTime(bad).Date, (CivilDate{1899, 12, 30})) << bad;
    }
}

TEST(Calendar, WeekdaysAndMonthLengths)
{
    EXPECT_EQ(IsoWeekday({1899, 12, 30}), 6);
    EXPECT_EQ(IsoWeekday({1900, 1, 1}), 1);
    EXPECT_EQ(IsoWeekday({2025, 9, 1}), 1);
    EXPECT_EQ(IsoWeekday({2024, 2, 29}), 4);
    EXPECT_EQ(IsoWeekday({1, 1, 1}), 1);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
}

TEST(DayCount, LinearMillisecondsRunStraightThroughDayZero)
{
    const std::pair<double, int64_t> cases[] = {
        {0.0, 0}, {0.25, 21600000}, {-1.25, -64800000}, {1.5, 129600000}, {45000.0 + 1.0 / 86400000.0, 3888000000001},
    };
    for (const auto& [value, ms] : cases) {
        EXPECT_EQ(ToLinearMilliseconds(value), ms) << value;
        EXPECT_DOUBLE_EQ(FromLinearMilliseconds(ms), value) << ms;
    }
}

TEST(DayCount, UnixSeconds)
{
    EXPECT_EQ(ToUnixSeconds(25569.0), 0);
    EXPECT_EQ(ToUnixSeconds(25569.0 + 1.5), 129600);
    EXPECT_DOUBLE_EQ(FromUnixSeconds(-86400), 25568.0);
}

} // namespace
} // namespace kelvane
