#pragma once

#include <string>

namespace kelvane {

// The separators of the user's regional settings. Read afresh for each operation, since the user may
// change them while the program runs.
struct RegionalFormats
{
    std::string DateSeparator = "/";
    std::string TimeSeparator = ":";
    std::string DecimalSeparator = ".";

    bool operator==(const RegionalFormats&) const = default;
};

class RegionalSettings
{
public:
    virtual ~RegionalSettings() = default;
    virtual RegionalFormats Read() const = 0;
};

} // namespace kelvane
