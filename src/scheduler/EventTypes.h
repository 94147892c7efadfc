#pragma once

#include <array>
#include <string_view>

namespace kelvane {

// The event types in the order the editor offers them: six basic types, a separator, the seven weekday
// types, a separator, the nineteen holidays. Types are compared exactly, letter case included; a
// separator, or any other text, is a valid stored value that no scheduling rule matches.
inline constexpr std::array<std::string_view, 34> EventTypeNames = {
    "One-Time Events",
    "Minute-Based Events",
    "Daily Recurring Events",
    "Weekly Recurring Events",
    "Monthly Recurring Events",
    "Yearly Recurring Events",
    "-----------------------------",
    "Monday Recurring Events",
    "Tuesday Recurring Events",
    "Wednesday Recurring Events",
    "Thursday Recurring Events",
    "Friday Recurring Events",
    "Saturday Recurring Events",
    "Sunday Recurring Events",
    "------------------------------",
    "NewYearsEve",
    "NewYearsDay",
    "MartinLuther",
    "WashingtonsBirthday",
    "MemorialDay",
    "Juneteenth",
    "IndependenceDay",
    "LaborDay",
    "ColumbusDay",
    "VeteransDay",
    "Thanksgiving",
    "ChristmasDay",
    "ValentinesDay",
    "Easter",
    "Halloween",
    "MothersDay",
    "FathersDay",
    "StPatricksDay",
    "CincodeMayo",
};

inline constexpr std::string_view OneTimeEvents = EventTypeNames[0];
inline constexpr std::string_view MinuteBasedEvents = EventTypeNames[1];
inline constexpr std::string_view DailyRecurringEvents = EventTypeNames[2];
inline constexpr std::string_view WeeklyRecurringEvents = EventTypeNames[3];
inline constexpr std::string_view MonthlyRecurringEvents = EventTypeNames[4];
inline constexpr std::string_view YearlyRecurringEvents = EventTypeNames[5];

// Monday first, as the list has them.
inline constexpr std::array<std::string_view, 7> WeekdayTypeNames = {
    EventTypeNames[7],  EventTypeNames[8],  EventTypeNames[9],  EventTypeNames[10],
    EventTypeNames[11], EventTypeNames[12], EventTypeNames[13],
};

} // namespace kelvane
