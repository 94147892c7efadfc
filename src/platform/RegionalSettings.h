#pragma once

#include "common/RegionalFormats.h"

namespace kelvane {

// The user's regional settings, read afresh for each operation, since the user may change them while
// the program runs.
class RegionalSettings
{
public:
    virtual ~RegionalSettings() = default;
    virtual RegionalFormats Read() const = 0;
};

} // namespace kelvane
