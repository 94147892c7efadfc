// The events file as any bytes: loading never crashes, and whatever loads is written and read back
// the same.
#include "scheduler/EventsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Three hours ahead of UTC until an instant in 2024, two after it: one change to cross.
class OneChangeZone final : public kelvane::TimeZone
{
public:
    kelvane::OffsetPeriod PeriodAt(int64_t utcSeconds) const override
    {
        constexpr int64_t change = 1710000000;
        if (utcSeconds < change) {
            return {3 * 3600, -kelvane::OffsetPeriod::Always, change};
        }
        return {2 * 3600, change, kelvane::OffsetPeriod::Always};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const OneChangeZone zone;
    const kelvane::RegionalFormats formats;
    std::vector<kelvane::ScheduledEvent> rows;
    (void)kelvane::ParseEvents(bytes, rows, zone, formats);

    const auto written = kelvane::SerializeEvents(rows, zone, formats);
    if (!written) {
        std::abort(); // every loaded time is a real local time, so it must save
    }
    std::vector<kelvane::ScheduledEvent> again;
    if (kelvane::ParseEvents(written.value(), again, zone, formats).Problem || again != rows) {
        std::abort();
    }
    return 0;
}
