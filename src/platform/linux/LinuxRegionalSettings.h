#pragma once

#include "platform/RegionalSettings.h"

#include <string>
#include <string_view>

namespace kelvane::platform {

// The separators of the user's locale (LC_TIME for dates and times, LC_NUMERIC for the decimal point),
// looked up afresh at every read.
class LinuxRegionalSettings final : public RegionalSettings
{
public:
    RegionalFormats Read() const override;
};

// The text between the first two fields of a strftime pattern ("%d.%m.%Y" gives "."), with the
// composite fields (%D, %F, %T, %R, %r) spelled out; the fallback when there is none.
std::string SeparatorFromPattern(std::string_view pattern, std::string_view fallback);

// A strftime pattern in the Windows picture form of RegionalFormats ("%m/%d/%y" gives "MM/dd/yy",
// "%I:%M:%S %p" gives "hh:mm:ss tt"); fields the picture form lacks are left out.
std::string PictureFromPattern(std::string_view pattern);

} // namespace kelvane::platform
