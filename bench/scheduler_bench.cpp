// One scheduler pass over 10,000 checked rows (a mix of types, few of them due) beside parsing their
// 10,000 event-time texts alone, as a ratio from one run; and the next-event text over the same rows.
// The clock is the real one over a fixed-offset zone.
#include "BenchSupport.h"
#include "common/EventDateTimeText.h"
#include "common/SystemClock.h"
#include "scheduler/EventEngine.h"
#include "scheduler/EventTypes.h"
#include "scheduler/NextEvent.h"
#include "support/FakePlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace kelvane;
using bench::MedianMilliseconds;
using bench::UsRegional;

class FixedZone final : public TimeZone
{
public:
    OffsetPeriod PeriodAt(int64_t) const override { return {3600, -OffsetPeriod::Always, OffsetPeriod::Always}; }
};

} // namespace

int main()
{
    constexpr size_t kRows = 10000;
    const FixedZone zone;
    const UsRegional regional;
    const SystemClock clock(zone);
    const RegionalFormats formats;
    const DateTime now = clock.Now();

    // Future times for most rows; one row in a thousand lies in the past and is due.
    std::vector<ScheduledEvent> rows(kRows);
    for (size_t i = 0; i < kRows; ++i) {
        ScheduledEvent& row = rows[i];
        row.Enabled = true;
        row.SetName("Event " + std::to_string(i));
        row.SetAction("Unknown"); // performs nothing but its log line
        row.SetEventType(std::string(EventTypeNames[i % 14 == 6 ? 0 : i % 14]));
        const double offsetDays = i % 1000 == 0 ? -2.0 : 1.0 + static_cast<double>(i) / 100.0;
        row.SetEventTime(FormatEventDateTime(now + offsetDays, formats));
    }

    const double parseOnly = MedianMilliseconds([&] {
        for (const ScheduledEvent& row : rows) {
            (void)ParseEventDateTime(row.EventTime(), formats);
        }
    });
    // One table for every round; the few rows a pass performs are put back first, so each round has
    // the same work.
    EventTable table;
    table.Rows = rows;
    table.SelectedIndex = 0;
    EventLog log;
    log.LogIsOn = true;
    kelvane::test::FakePlatform platform;
    ActiveScreensaverControl active(platform, platform, platform);
    EventActionContext actions{log, active, nullptr};
    EventEngine engine(table, log, {clock, zone, regional}, actions, nullptr);
    const double pass = MedianMilliseconds([&] {
        for (size_t i = 0; i < kRows; i += 1000) {
            table.Rows[i] = rows[i];
        }
        (void)engine.CheckEvents(20);
    });
    const double nextEvent = MedianMilliseconds([&] { (void)GetNextEventText(rows, clock, formats); });

    std::printf("%zu checked rows\n", kRows);
    std::printf("parse the event times alone   %8.3f ms\n", parseOnly);
    std::printf("one CheckEvents pass          %8.3f ms\n", pass);
    std::printf("ratio pass / parse            %8.2f\n", pass / parseOnly);
    std::printf("GetNextEventText              %8.3f ms\n", nextEvent);
    return 0;
}
