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
