#pragma once

#include "common/Clock.h"
#include "common/DateTime.h"

#include <array>
#include <string_view>

namespace kelvane {

// The nineteen holidays an event can be tied to, in the order of the event-type list.
inline constexpr std::array<std::string_view, 19> HolidayNames = {
    "NewYearsEve",     "NewYearsDay", "MartinLuther", "WashingtonsBirthday", "MemorialDay",  "Juneteenth",
    "IndependenceDay", "LaborDay",    "ColumbusDay",  "VeteransDay",         "Thanksgiving", "ChristmasDay",
    "ValentinesDay",   "Easter",      "Halloween",    "MothersDay",          "FathersDay",   "StPatricksDay",
    "CincodeMayo",
};

// True for an exact holiday name (letter case and blanks count).
bool IsHolidayName(std::string_view text);

// Easter Sunday of the Gregorian calendar at 00:00; 0 (30 December 1899) for a year outside 1 to 9999.
DateTime EasterDate(int32_t year);

// The holiday's date in the given year, at its time of day (23:50 for New Year's Eve, else 00:00).
// The text must be a holiday name.
DateTime HolidayInYear(std::string_view holiday, int32_t year);

// The holiday's next occurrence after today: this year's when its day is still to come, else next
// year's (so on the holiday itself the answer is already next year's). A text that is no holiday name
// gives the current date-time unchanged.
DateTime NextHolidayDate(std::string_view text, const Clock& clock);

} // namespace kelvane
