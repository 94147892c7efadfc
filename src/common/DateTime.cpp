#include "common/DateTime.h"

#include <cmath>
#include <cstdlib>

namespace kelvane {
namespace {

constexpr int64_t kMillisecondsPerDay = 86400000;
// Days from 1 March of year 0 (proleptic Gregorian) to 30 December 1899.
constexpr int64_t kDayZeroFromCivilOrigin = 693899;

// Days since 1 March of year 0 for a civil date (H. Hinnant's days_from_civil, shifted).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

CivilDate CivilFromDays(int64_t z)
{
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp + (mp < 10 ? 3 : -9);
    const int64_t y = yoe + era * 400 + (m <= 2);
    return {static_cast<int32_t>(y), static_cast<int32_t>(m), static_cast<int32_t>(d)};
}

} // namespace

bool IsLeapYear(int32_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t DaysInMonth(int32_t year, int32_t month)
{
    static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int32_t year, int32_t month, int32_t day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidTime(int32_t hour, int32_t minute, int32_t second, int32_t millisecond)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && millisecond >= 0 &&
           millisecond < 1000;
}

int32_t DayNumber(const CivilDate& date)
{
    return static_cast<int32_t>(DaysFromCivil(date.Year, date.Month, date.Day) - kDayZeroFromCivilOrigin);
}

CivilDate DateOfDayNumber(int32_t dayNumber)
{
    return CivilFromDays(int64_t{dayNumber} + kDayZeroFromCivilOrigin);
}

DateTime EncodeDateTime(const CivilDateTime& value)
{
    const double day = DayNumber(value.Date);
    const double time =
        (((value.Time.Hour * 60.0 + value.Time.Minute) * 60.0 + value.Time.Second) * 1000.0 + value.Time.Millisecond) /
        static_cast<double>(kMillisecondsPerDay);
    // Before day 0 the time of day still runs forward, away from zero in the number.
    return day < 0 ? day - time : day + time;
}

CivilDateTime DecodeDateTime(DateTime value)
{
    // Outside the calendar's years there is no date to give; such values decode as day 0 rather than
    // overflow the arithmetic.
    if (!std::isfinite(value) || value <= -693594.0 || value >= 2958466.0) {
        value = 0.0;
    }
    const auto total = static_cast<int64_t>(std::llround(value * static_cast<double>(kMillisecondsPerDay)));
    const int64_t day = total / kMillisecondsPerDay; // toward zero, as the time of day is counted
    int64_t ms = std::llabs(total % kMillisecondsPerDay);
    CivilDateTime result;
    result.Date = CivilFromDays(day + kDayZeroFromCivilOrigin);
    result.Time.Millisecond = static_cast<int32_t>(ms % 1000);
    ms /= 1000;
    result.Time.Second = static_cast<int32_t>(ms % 60);
    ms /= 60;
    result.Time.Minute = static_cast<int32_t>(ms % 60);
    result.Time.Hour = static_cast<int32_t>(ms / 60);
    return result;
}

int32_t IsoWeekday(const CivilDate& date)
{
    // Day 0, 30 December 1899, was a Saturday (6).
    const int64_t shifted = (int64_t{DayNumber(date)} + 5) % 7;
    return static_cast<int32_t>((shifted + 7) % 7) + 1;
}

DateTime DateOf(DateTime value)
{
    return DayNumber(DecodeDateTime(value).Date);
}

int64_t ToLinearMilliseconds(DateTime value)
{
    if (!std::isfinite(value) || value <= -693594.0 || value >= 2958466.0) {
        value = 0.0;
    }
    const auto total = static_cast<int64_t>(std::llround(value * static_cast<double>(kMillisecondsPerDay)));
    const int64_t day = total / kMillisecondsPerDay;
    const int64_t ms = std::llabs(total % kMillisecondsPerDay);
    return day * kMillisecondsPerDay + ms;
}

DateTime FromLinearMilliseconds(int64_t milliseconds)
{
    const int64_t day = milliseconds >= 0 ? milliseconds / kMillisecondsPerDay
                                          : -((-milliseconds + kMillisecondsPerDay - 1) / kMillisecondsPerDay);
    const int64_t ms = milliseconds - day * kMillisecondsPerDay;
    const double time = static_cast<double>(ms) / static_cast<double>(kMillisecondsPerDay);
    return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

int64_t ToUnixSeconds(DateTime value)
{
    return std::llround((value - UnixEpochDay) * SecondsPerDay);
}

DateTime FromUnixSeconds(int64_t seconds)
{
    return UnixEpochDay + static_cast<double>(seconds) / SecondsPerDay;
}

} // namespace kelvane
