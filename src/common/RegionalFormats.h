#pragma once

#include <string>

namespace kelvane {

// The separators and date-time patterns of the user's regional settings.
struct RegionalFormats
{
    std::string DateSeparator = "/";
    std::string TimeSeparator = ":";
    std::string DecimalSeparator = ".";
    // Patterns in the Windows picture form: d, dd, M, MM, yy, yyyy, h, hh (12-hour), H, HH, m, mm, s,
    // ss, t, tt (AM/PM); "/" and ":" stand for the separators above; text in single quotes is literal.
    std::string ShortDatePattern = "M/d/yyyy";
    std::string LongTimePattern = "h:mm:ss tt";

    bool operator==(const RegionalFormats&) const = default;
};

} // namespace kelvane
