#pragma once

#include "common/DateTime.h"
#include "common/RegionalFormats.h"

#include <string>

namespace kelvane {

// A date-time in the user's short-date and long-time form, for example "3/4/2024 10:00:30 AM" with the
// United States settings: what log headers show.
std::string FormatRegionalDateTime(DateTime value, const RegionalFormats& formats);

// A date-time or time part in one picture pattern of the regional settings.
std::string FormatPicture(DateTime value, const std::string& pattern, const RegionalFormats& formats);

// A number in the general form of the event log: at most 15 significant digits, the regional decimal
// separator, fixed notation from 0.00001 upward and scientific below (5.78703703703704E-6).
std::string FormatGeneralNumber(double value, const std::string& decimalSeparator);

} // namespace kelvane
