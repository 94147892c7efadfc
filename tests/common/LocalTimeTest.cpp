#include "common/LocalTime.h"

#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <bit>

namespace kelvane {
namespace {

using test::FakeTimeZone;

const auto Eastern2024 = test::EasternTime2024;

TEST(LocalTime, LocalToUtcUsesTheOffsetOfItsOwnDate)
{
    const FakeTimeZone zone = Eastern2024();
    const struct
    {
        CivilDateTime local;
        CivilDateTime utc;
    } cases[] = {
        {{{2024, 1, 15}, {12, 0, 0, 0}}, {{2024, 1, 15}, {17, 0, 0, 0}}},
        {{{2024, 7, 1}, {12, 0, 0, 0}}, {{2024, 7, 1}, {16, 0, 0, 0}}},
        {{{2024, 3, 10}, {1, 59, 59, 0}}, {{2024, 3, 10}, {6, 59, 59, 0}}},
        {{{2024, 3, 10}, {3, 0, 0, 0}}, {{2024, 3, 10}, {7, 0, 0, 0}}},
        // The hour that happens twice: its second, standard-time occurrence.
        {{{2024, 11, 3}, {1, 30, 0, 0}}, {{2024, 11, 3}, {6, 30, 0, 0}}},
        {{{2024, 11, 3}, {0, 59, 59, 0}}, {{2024, 11, 3}, {4, 59, 59, 0}}},
        {{{2024, 11, 3}, {2, 0, 0, 0}}, {{2024, 11, 3}, {7, 0, 0, 0}}},
        // Milliseconds ride along; only whole seconds of offset are taken off.
        {{{2024, 7, 1}, {12, 0, 0, 250}}, {{2024, 7, 1}, {16, 0, 0, 250}}},
    };
    for (const auto& c : cases) {
        const auto utc = LocalToUtc(zone, EncodeDateTime(c.local));
        ASSERT_TRUE(utc.ok()) << utc.message();
        EXPECT_EQ(DecodeDateTime(utc.value()), c.utc);
    }
}

TEST(LocalTime, TheSkippedHourDoesNotExist)
{
    const FakeTimeZone zone = Eastern2024();
    for (const TimeOfDay time : {TimeOfDay{2, 0, 0, 0}, TimeOfDay{2, 30, 0, 0}, TimeOfDay{2, 59, 59, 0}}) {
        const auto utc = LocalToUtc(zone, EncodeDateTime({{2024, 3, 10}, time}));
        ASSERT_FALSE(utc.ok());
        EXPECT_EQ(utc.message(), "lies in the hour skipped when daylight saving time begins");
    }
}

TEST(LocalTime, ASkippedTimeIsMovedOnAsFarAsTheClockJumped)
{
    const auto utc = [](int32_t month, int32_t day, int32_t hour, int32_t minute) {
        return ToUnixSeconds(EncodeDateTime({{2024, month, day}, {hour, minute, 0, 0}}));
    };
    const FakeTimeZone eastern = Eastern2024();
    // Half an hour forward at 02:00 local (+10:30 to +11), and a whole hour at midnight (-4 to -3).
    const FakeTimeZone halfHour(10 * 3600 + 1800, {{utc(10, 5, 15, 30), 11 * 3600}});
    const FakeTimeZone midnight(-4 * 3600, {{utc(9, 8, 4, 0), -3 * 3600}});
    const struct
    {
        const FakeTimeZone& zone;
        CivilDateTime local;
        CivilDateTime shown;
    } cases[] = {
        {eastern, {{2024, 3, 10}, {2, 0, 0, 0}}, {{2024, 3, 10}, {3, 0, 0, 0}}},
        {eastern, {{2024, 3, 10}, {2, 30, 0, 0}}, {{2024, 3, 10}, {3, 30, 0, 0}}},
        {eastern, {{2024, 3, 10}, {2, 59, 59, 500}}, {{2024, 3, 10}, {3, 59, 59, 500}}},
        {halfHour, {{2024, 10, 6}, {2, 15, 0, 0}}, {{2024, 10, 6}, {2, 45, 0, 0}}},
        {midnight, {{2024, 9, 8}, {0, 0, 0, 0}}, {{2024, 9, 8}, {1, 0, 0, 0}}},
        {midnight, {{2024, 9, 8}, {0, 40, 0, 0}}, {{2024, 9, 8}, {1, 40, 0, 0}}},
        // Times that exist stay, the hour that happens twice included.
        {eastern, {{2024, 3, 10}, {1, 59, 59, 999}}, {{2024, 3, 10}, {1, 59, 59, 999}}},
        {eastern, {{2024, 3, 10}, {3, 0, 0, 0}}, {{2024, 3, 10}, {3, 0, 0, 0}}},
        {eastern, {{2024, 11, 3}, {1, 30, 0, 0}}, {{2024, 11, 3}, {1, 30, 0, 0}}},
        {halfHour, {{2024, 10, 6}, {2, 30, 0, 0}}, {{2024, 10, 6}, {2, 30, 0, 0}}},
    };
    for (const auto& c : cases) {
        const DateTime shown = LocalTimeConverter(c.zone).ExistingLocalTime(EncodeDateTime(c.local));
        EXPECT_EQ(DecodeDateTime(shown), c.shown);
        EXPECT_TRUE(LocalToUtc(c.zone, shown).ok());
    }
}

TEST(LocalTime, UtcToLocalFollowsTheRulesAtThatInstant)
{
    const FakeTimeZone zone = Eastern2024();
    const struct
    {
        CivilDateTime utc;
        CivilDateTime local;
    } cases[] = {
        {{{2024, 11, 3}, {5, 30, 0, 0}}, {{2024, 11, 3}, {1, 30, 0, 0}}}, // first pass through 01:30
        {{{2024, 11, 3}, {6, 30, 0, 0}}, {{2024, 11, 3}, {1, 30, 0, 0}}}, // second pass
        {{{2024, 3, 10}, {6, 59, 59, 0}}, {{2024, 3, 10}, {1, 59, 59, 0}}},
        {{{2024, 3, 10}, {7, 0, 0, 0}}, {{2024, 3, 10}, {3, 0, 0, 0}}},
        {{{2024, 12, 31}, {23, 0, 0, 0}}, {{2024, 12, 31}, {18, 0, 0, 0}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeDateTime(UtcToLocal(zone, EncodeDateTime(c.utc))), c.local);
    }
}

TEST(LocalTime, AnInstantGoesToLocalTimeAndBackWithTheSameBits)
{
    const FakeTimeZone zone = Eastern2024();
    for (const CivilDateTime utc :
         {CivilDateTime{{2024, 7, 4}, {1, 15, 0, 0}}, CivilDateTime{{2024, 1, 15}, {13, 30, 0, 0}},
          CivilDateTime{{2024, 11, 3}, {6, 30, 0, 0}}, CivilDateTime{{1900, 2, 28}, {23, 59, 59, 999}}}) {
        const DateTime instant = EncodeDateTime(utc);
        const auto back = LocalToUtc(zone, UtcToLocal(zone, instant));
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(std::bit_cast<uint64_t>(back.value()), std::bit_cast<uint64_t>(instant));
    }
}

TEST(LocalTime, AConverterAsksTheZoneOnlyWhenThePeriodChanges)
{
    const FakeTimeZone zone = Eastern2024();
    LocalTimeConverter converter(zone);
    for (int minute = 0; minute < 1000; ++minute) {
        const DateTime local = EncodeDateTime({{2024, 7, 1}, {0, 0, 0, 0}}) + minute / 1440.0;
        EXPECT_TRUE(converter.LocalToUtc(local).ok());
        converter.UtcToLocal(local);
    }
    EXPECT_LE(zone.lookups, 3);
}

} // namespace
} // namespace kelvane
