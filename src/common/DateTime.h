#pragma once

#include <cstdint>

namespace kelvane {

// A date-time as a day count: whole days since 30 December 1899 00:00, the fraction being the time of
// day (0.5 is noon). Before that day the whole part is negative and the fraction still counts forward
// from midnight (-1.25 is 29 December 1899 06:00). Differences are in days.
using DateTime = double;

inline constexpr double SecondsPerDay = 86400.0;
inline constexpr double OneSecond = 1.0 / SecondsPerDay;
// The day count of 1 January 1970 00:00, where Unix time starts.
inline constexpr double UnixEpochDay = 25569.0;

struct CivilDate
{
    int32_t Year = 1899;
    int32_t Month = 12; // 1 to 12
    int32_t Day = 30;   // 1 to 31

    bool operator==(const CivilDate&) const = default;
};

struct TimeOfDay
{
    int32_t Hour = 0;
    int32_t Minute = 0;
    int32_t Second = 0;
    int32_t Millisecond = 0;

    bool operator==(const TimeOfDay&) const = default;
};

struct CivilDateTime
{
    CivilDate Date;
    TimeOfDay Time;

    bool operator==(const CivilDateTime&) const = default;
};

bool IsLeapYear(int32_t year);
int32_t DaysInMonth(int32_t year, int32_t month);
bool IsValidDate(int32_t year, int32_t month, int32_t day); // years 1 to 9999
bool IsValidTime(int32_t hour, int32_t minute, int32_t second, int32_t millisecond);

// Day number of a date (0 for 30 December 1899); the date must be valid.
int32_t DayNumber(const CivilDate& date);
CivilDate DateOfDayNumber(int32_t dayNumber);

DateTime EncodeDateTime(const CivilDateTime& value);
inline DateTime EncodeDate(int32_t year, int32_t month, int32_t day)
{
    return EncodeDateTime({{year, month, day}, {}});
}

// Splits a date-time into its fields, rounded to the nearest millisecond (so 23:59:59.9996 is the next day).
CivilDateTime DecodeDateTime(DateTime value);

// Day of the week, 1 = Monday to 7 = Sunday.
int32_t IsoWeekday(const CivilDate& date);

// The date-time with its time of day dropped.
DateTime DateOf(DateTime value);

// A date-time as a straight count of milliseconds since day 0 (so before day 0 the count runs backward
// through the days and forward within them, as the clock does), and back. Going through this count
// gives every value one exact representation: the one EncodeDateTime makes.
int64_t ToLinearMilliseconds(DateTime value);
DateTime FromLinearMilliseconds(int64_t milliseconds);

// Whole seconds of Unix time, and back. Only for values within the calendar (years 1 to 9999).
int64_t ToUnixSeconds(DateTime value);
DateTime FromUnixSeconds(int64_t seconds);

} // namespace kelvane
