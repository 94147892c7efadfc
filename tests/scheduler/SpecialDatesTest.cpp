#include "scheduler/SpecialDates.h"

#include "scheduler/EventTypes.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

CivilDateTime Decoded(DateTime value)
{
    return DecodeDateTime(value);
}

TEST(EasterDate, MatchesThePublishedDates)
{
    const CivilDate known[] = {
        {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},  {2027, 3, 28}, {2028, 4, 16}, {2029, 4, 1},
        {2030, 4, 21}, {2031, 4, 13}, {2032, 3, 28}, {2033, 4, 17}, {2034, 4, 9},  {2035, 3, 25},
        {1583, 4, 10}, {1818, 3, 22}, {1900, 4, 15}, {1943, 4, 25}, {1954, 4, 18}, {2000, 4, 23},
        {2038, 4, 25}, {2100, 3, 28}, {2285, 3, 22}, {3000, 4, 13}, {9999, 3, 28},
    };
    for (const CivilDate& date : known) {
        EXPECT_EQ(Decoded(EasterDate(date.Year)), (CivilDateTime{date, {}})) << date.Year;
    }
    EXPECT_EQ(EasterDate(0), 0.0);
    EXPECT_EQ(EasterDate(10000), 0.0);
}

TEST(HolidayRules, DatesOfSeveralYears)
{
    const struct
    {
        const char* name;
        int32_t year;
        CivilDate date;
    } cases[] = {
        {"NewYearsDay", 2025, {2025, 1, 1}},
        {"MartinLuther", 2024, {2024, 1, 15}}, // the 1st of the month counts
        {"MartinLuther", 2027, {2027, 1, 18}},
        {"WashingtonsBirthday", 2021, {2021, 2, 15}},
        {"WashingtonsBirthday", 2024, {2024, 2, 19}},
        {"ValentinesDay", 2024, {2024, 2, 14}},
        {"StPatricksDay", 2024, {2024, 3, 17}},
        {"Easter", 2024, {2024, 3, 31}},
        {"CincodeMayo", 2024, {2024, 5, 5}},
        {"MothersDay", 2022, {2022, 5, 8}},
        {"MothersDay", 2025, {2025, 5, 11}},
        {"MemorialDay", 2027, {2027, 5, 31}}, // the month's last day is a Monday
        {"MemorialDay", 2025, {2025, 5, 26}},
        {"MemorialDay", 2024, {2024, 5, 27}},
        {"FathersDay", 2025, {2025, 6, 15}},
        {"FathersDay", 2029, {2029, 6, 17}},
        {"Juneteenth", 2024, {2024, 6, 19}},
        {"IndependenceDay", 2024, {2024, 7, 4}},
        {"LaborDay", 2025, {2025, 9, 1}},
        {"LaborDay", 2027, {2027, 9, 6}},
        {"ColumbusDay", 2029, {2029, 10, 8}},
        {"ColumbusDay", 2024, {2024, 10, 14}},
        {"Halloween", 2024, {2024, 10, 31}},
        {"VeteransDay", 2024, {2024, 11, 11}},
        {"Thanksgiving", 2029, {2029, 11, 22}},
        {"Thanksgiving", 2024, {2024, 11, 28}},
        {"ChristmasDay", 2024, {2024, 12, 25}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(HolidayInYear(c.name, c.year)), (CivilDateTime{c.date, {}})) << c.name << " " << c.year;
    }
    EXPECT_EQ(Decoded(HolidayInYear("NewYearsEve", 2024)), (CivilDateTime{{2024, 12, 31}, {23, 50, 0, 0}}));
}

TEST(HolidayRules, EveryHolidayOfTheEventTypeListHasARule)
{
    ASSERT_EQ(EventTypeNames.size(), 15 + HolidayNames.size());
    for (size_t i = 0; i < HolidayNames.size(); ++i) {
        EXPECT_EQ(EventTypeNames[15 + i], HolidayNames[i]);
        const CivilDate date = Decoded(HolidayInYear(HolidayNames[i], 2031)).Date;
        EXPECT_EQ(date.Year, 2031) << HolidayNames[i];
    }
}

TEST(NextHolidayDate, TakesThisYearsUntilTheDayItselfThenNextYears)
{
    const struct
    {
        CivilDateTime now;
        const char* name;
        CivilDateTime next;
    } cases[] = {
        {{{2025, 3, 10}, {10, 0, 0, 0}}, "Easter", {{2025, 4, 20}, {}}},
        {{{2025, 4, 19}, {23, 59, 0, 0}}, "Easter", {{2025, 4, 20}, {}}},
        {{{2025, 4, 20}, {8, 0, 0, 0}}, "Easter", {{2026, 4, 5}, {}}},
        {{{2024, 12, 31}, {0, 0, 0, 0}}, "NewYearsEve", {{2025, 12, 31}, {23, 50, 0, 0}}},
        {{{2024, 12, 31}, {23, 55, 0, 0}}, "NewYearsEve", {{2025, 12, 31}, {23, 50, 0, 0}}},
        {{{2024, 12, 31}, {10, 0, 0, 0}}, "NewYearsEve", {{2025, 12, 31}, {23, 50, 0, 0}}},
        {{{2024, 12, 30}, {12, 0, 0, 0}}, "NewYearsEve", {{2024, 12, 31}, {23, 50, 0, 0}}},
        {{{2025, 1, 1}, {0, 0, 0, 0}}, "NewYearsDay", {{2026, 1, 1}, {}}},
        {{{2024, 12, 31}, {18, 0, 0, 0}}, "NewYearsDay", {{2025, 1, 1}, {}}},   // across the year's end
        {{{2024, 12, 31}, {18, 0, 0, 0}}, "MartinLuther", {{2025, 1, 20}, {}}}, // next year's rule
        {{{2024, 11, 29}, {9, 0, 0, 0}}, "Thanksgiving", {{2025, 11, 27}, {}}},
    };
    for (const auto& c : cases) {
        const test::FakeClock clock(EncodeDateTime(c.now));
        EXPECT_EQ(Decoded(NextHolidayDate(c.name, clock)), c.next) << c.name;
    }
}

TEST(NextHolidayDate, AnythingButAnExactHolidayNameGivesNow)
{
    const test::FakeClock clock(EncodeDateTime({{2025, 6, 1}, {13, 14, 15, 0}}));
    for (const char* text :
         {"easter", " Easter", "Easter ", "Monthly Recurring Events", "", "------------------------------"}) {
        EXPECT_EQ(NextHolidayDate(text, clock), clock.now) << "'" << text << "'";
        EXPECT_FALSE(IsHolidayName(text));
    }
}

} // namespace
} // namespace kelvane
