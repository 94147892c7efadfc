#pragma once

#include "common/DateTime.h"
#include "common/RegionalFormats.h"
#include "platform/BuildStamp.h"
#include "platform/TimeZone.h"

#include <string>

namespace kelvane {

// The local date-time at which the running program was built, by the zone's rules for that moment;
// the zero date-time (30 December 1899) when the build moment cannot be told.
DateTime BuildDateTime(platform::BuildStamp& stamp, const TimeZone& zone);

// A build moment as the about box shows it: the regional short date, a blank and the regional long
// time, or the date alone when the time is exactly midnight.
std::string BuildDateText(DateTime local, const RegionalFormats& formats);

} // namespace kelvane
