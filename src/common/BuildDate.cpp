#include "common/BuildDate.h"

#include "common/LocalTime.h"
#include "common/RegionalDateTime.h"

namespace kelvane {
namespace {

// Unix seconds of 1 January 0001 and of 31 December 9999 23:59:59: the calendar's range.
constexpr int64_t FirstCalendarSecond = -62135596800;
constexpr int64_t LastCalendarSecond = 253402300799;

} // namespace

DateTime BuildDateTime(platform::BuildStamp& stamp, const TimeZone& zone)
{
    const auto seconds = stamp.BuildTime();
    // A stamp outside the calendar (a mistyped SOURCE_DATE_EPOCH) is as good as none.
    if (!seconds || *seconds < FirstCalendarSecond || *seconds > LastCalendarSecond) {
        return 0.0;
    }
    return UtcToLocal(zone, FromUnixSeconds(*seconds));
}

std::string BuildDateText(DateTime local, const RegionalFormats& formats)
{
    const std::string date = FormatPicture(local, formats.ShortDatePattern, formats);
    if (DecodeDateTime(local).Time == TimeOfDay{}) {
        return date;
    }
    return date + " " + FormatPicture(local, formats.LongTimePattern, formats);
}

} // namespace kelvane
