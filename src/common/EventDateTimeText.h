#pragma once

#include "common/DateTime.h"
#include "common/RegionalFormats.h"
#include "common/Status.h"

#include <string>
#include <string_view>

namespace kelvane {

// The text form of a local date-time in the event table: "mm/dd/yyyy hh:mm:ss AM/PM", with the date and
// time separators of the regional settings, the hour on the 12-hour clock, always "AM" or "PM", and no
// fraction of a second. For example 12/25/2023 02:00:00 PM.
std::string FormatEventDateTime(DateTime value, const RegionalFormats& formats);
// The same text, added to the end of `out`.
void AppendEventDateTime(std::string& out, DateTime value, const RegionalFormats& formats);

// Reads what FormatEventDateTime writes, and also one-digit fields (the year always has four digits), a
// missing seconds field, a time without AM/PM (24-hour clock), or a date alone. Fails with "'<text>' is not a valid
// date and time".
Result<DateTime> ParseEventDateTime(std::string_view text, const RegionalFormats& formats);

// The text of day count 0, which stands for "never": 12/30/1899 12:00:00 AM with "/" and ":".
std::string ZeroDateTimeText(const RegionalFormats& formats);

} // namespace kelvane
