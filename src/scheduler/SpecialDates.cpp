#include "scheduler/SpecialDates.h"

#include <algorithm>

namespace kelvane {
namespace {

constexpr int32_t kMonday = 1, kThursday = 4, kSunday = 7;

// The n-th given weekday of a month; the 1st counts when it falls on that weekday.
DateTime NthWeekday(int32_t year, int32_t month, int32_t weekday, int32_t n)
{
    const int32_t firstWeekday = IsoWeekday({year, month, 1});
    const int32_t first = 1 + ((weekday - firstWeekday) % 7 + 7) % 7;
    return EncodeDate(year, month, first + 7 * (n - 1));
}

DateTime LastMondayOfMay(int32_t year)
{
    const int32_t lastWeekday = IsoWeekday({year, 5, 31});
    return EncodeDate(year, 5, 31 - ((lastWeekday - kMonday) % 7 + 7) % 7);
}

} // namespace

bool IsHolidayName(std::string_view text)
{
    return std::find(HolidayNames.begin(), HolidayNames.end(), text) != HolidayNames.end();
}

DateTime EasterDate(int32_t year)
{
    if (year < 1 || year > 9999) {
        return 0.0;
    }
    const int32_t g = year % 19 + 1;
    const int32_t c = year / 100 + 1;
    const int32_t x = 3 * c / 4 - 12;
    const int32_t z = (8 * c + 5) / 25 - 5;
    const int32_t d = 5 * year / 4 - x - 10;
    int32_t e = (11 * g + 20 + z - x) % 30;
    if (e < 0) {
        e += 30; // only reached far beyond the calendar's years, kept for safety
    }
    if ((e == 25 && g > 11) || e == 24) {
        ++e;
    }
    int32_t n = 44 - e;
    if (n < 21) {
        n += 30;
    }
    n = n + 7 - (d + n) % 7;
    return n <= 31 ? EncodeDate(year, 3, n) : EncodeDate(year, 4, n - 31);
}

DateTime HolidayInYear(std::string_view holiday, int32_t year)
{
    if (holiday == "NewYearsEve") {
        return EncodeDateTime({{year, 12, 31}, {23, 50, 0, 0}});
    }
    struct FixedDay
    {
        std::string_view name;
        int32_t month, day;
    };
    static constexpr FixedDay kFixedDays[] = {
        {"NewYearsDay", 1, 1},   {"Juneteenth", 6, 19},    {"IndependenceDay", 7, 4},
        {"VeteransDay", 11, 11}, {"ChristmasDay", 12, 25}, {"ValentinesDay", 2, 14},
        {"Halloween", 10, 31},   {"StPatricksDay", 3, 17}, {"CincodeMayo", 5, 5},
    };
    for (const auto& fixed : kFixedDays) {
        if (holiday == fixed.name) {
            return EncodeDate(year, fixed.month, fixed.day);
        }
    }
    struct WeekdayRule
    {
        std::string_view name;
        int32_t month, weekday, n;
    };
    static constexpr WeekdayRule kWeekdayRules[] = {
        {"MartinLuther", 1, kMonday, 3}, {"WashingtonsBirthday", 2, kMonday, 3}, {"LaborDay", 9, kMonday, 1},
        {"ColumbusDay", 10, kMonday, 2}, {"Thanksgiving", 11, kThursday, 4},     {"MothersDay", 5, kSunday, 2},
        {"FathersDay", 6, kSunday, 3},
    };
    for (const auto& rule : kWeekdayRules) {
        if (holiday == rule.name) {
            return NthWeekday(year, rule.month, rule.weekday, rule.n);
        }
    }
    if (holiday == "MemorialDay") {
        return LastMondayOfMay(year);
    }
    if (holiday == "Easter") {
        return EasterDate(year);
    }
    return 0.0;
}

DateTime NextHolidayDate(std::string_view text, const Clock& clock)
{
    const DateTime now = clock.Now();
    if (!IsHolidayName(text)) {
        return now;
    }
    const CivilDate today = DecodeDateTime(now).Date;
    const DateTime thisYear = HolidayInYear(text, today.Year);
    if (DayNumber(DecodeDateTime(thisYear).Date) > DayNumber(today)) {
        return thisYear;
    }
    return HolidayInYear(text, today.Year + 1);
}

} // namespace kelvane
