// Load and save of a 100,000-row events file beside a plain read and write of the same bytes, so the
// figure that matters is the ratio, taken in one run on one machine. Each figure is the median of
// several rounds.
#include "BenchSupport.h"
#include "common/EventDateTimeText.h"
#include "common/FileIO.h"
#include "common/LocalTime.h"
#include "scheduler/EventTypes.h"
#include "scheduler/EventsFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

using namespace kelvane;
using bench::MedianMilliseconds;
using bench::UsRegional;

// Eastern-style rules: daylight time from mid-March to early November each year.
class SeasonalZone final : public TimeZone
{
public:
    OffsetPeriod PeriodAt(int64_t utcSeconds) const override
    {
        const CivilDate date = DecodeDateTime(FromUnixSeconds(utcSeconds)).Date;
        const int64_t start = ToUnixSeconds(EncodeDateTime({{date.Year, 3, 10}, {7, 0, 0, 0}}));
        const int64_t end = ToUnixSeconds(EncodeDateTime({{date.Year, 11, 3}, {6, 0, 0, 0}}));
        if (utcSeconds < start) {
            return {-5 * 3600, ToUnixSeconds(EncodeDate(date.Year, 1, 1)), start};
        }
        if (utcSeconds < end) {
            return {-4 * 3600, start, end};
        }
        return {-5 * 3600, end, ToUnixSeconds(EncodeDate(date.Year + 1, 1, 1))};
    }
};

// The bytes the allocator hands out at this moment; nothing where it cannot be asked.
std::optional<size_t> HeapBytesInUse()
{
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#else
    return std::nullopt;
#endif
}

// Milliseconds to touch this many bytes of memory fresh from the system, one write per page: the least
// a load that keeps them pays when its memory is new; nothing where that cannot be measured.
std::optional<double> FirstTouchMilliseconds(size_t bytes)
{
#if defined(__linux__)
    return MedianMilliseconds([bytes] {
        void* memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            return;
        }
        auto* page = static_cast<volatile char*>(memory);
        for (size_t at = 0; at < bytes; at += 4096) {
            page[at] = 1;
        }
        ::munmap(memory, bytes);
    });
#else
    (void)bytes;
    return std::nullopt;
#endif
}

} // namespace

int main()
{
    constexpr size_t kRows = 100000;
    const SeasonalZone zone;
    const UsRegional regional;
    const RegionalFormats formats;

    EventTable table;
    table.Rows.reserve(kRows);
    for (size_t i = 0; i < kRows; ++i) {
        ScheduledEvent row;
        row.Enabled = i % 3 != 0;
        row.SetName("Event number " + std::to_string(i));
        // Spread over three years, so the rows cross daylight-saving changes in both directions; made from
        // UTC instants, so none falls in a skipped hour.
        row.SetEventTime(
            FormatEventDateTime(UtcToLocal(zone, EncodeDate(2024, 1, 1) + static_cast<double>(i) * 0.0109), formats));
        row.SetCloseCommand(i % 2 ? "True" : "False");
        row.SetAction(i % 2 ? "Run" : "Activate");
        row.SetScreensaver("C:\\Windows\\System32\\screensaver" + std::to_string(i % 50) + ".scr");
        row.SetEventType(std::string(EventTypeNames[i % EventTypeNames.size()]));
        row.SetLastRun(ZeroDateTimeText(formats));
        table.Rows.push_back(std::move(row));
    }

    const auto folder = std::filesystem::temp_directory_path() / "kelvane-events-bench";
    std::filesystem::create_directories(folder);
    const std::string eventsFile = PathToUtf8(folder / "events.dat");
    const std::string rawFile = PathToUtf8(folder / "raw.dat");
    if (!SaveEvents(eventsFile, table, zone, regional)) {
        std::fprintf(stderr, "the benchmark's table could not be saved\n");
        return 1;
    }
    const std::string bytes = ReadFileBytes(eventsFile).value();

    const double save = MedianMilliseconds([&] { (void)SaveEvents(eventsFile, table, zone, regional); });
    const double load = MedianMilliseconds([&] {
        EventTable loaded;
        (void)LoadEvents(eventsFile, loaded, zone, regional);
    });
    const double rawWrite = MedianMilliseconds([&] { (void)WriteFileAtomically(rawFile, bytes); });
    const double rawRead = MedianMilliseconds([&] { (void)ReadFileBytes(rawFile); });

    // The memory a loaded table holds, against its file's size.
    const auto before = HeapBytesInUse();
    std::optional<size_t> held;
    {
        EventTable loaded;
        (void)LoadEvents(eventsFile, loaded, zone, regional);
        const auto after = HeapBytesInUse();
        if (before && after) {
            held = *after - *before;
        }
    }

    std::printf("events file: %zu rows, %zu bytes\n", kRows, bytes.size());
    std::printf("save %8.2f ms   raw write %8.2f ms   ratio %.2f\n", save, rawWrite, save / rawWrite);
    std::printf("load %8.2f ms   raw read  %8.2f ms   ratio %.2f\n", load, rawRead, load / rawRead);
    std::printf("load + save against raw read + write: ratio %.2f\n", (load + save) / (rawRead + rawWrite));
    if (held) {
        if (const auto touch = FirstTouchMilliseconds(*held)) {
            std::printf("first touch of as much fresh memory as the rows hold: %.2f ms\n", *touch);
        }
        std::printf("memory held by the loaded rows %.1f MB, file %.1f MB: ratio %.2f\n",
                    static_cast<double>(*held) / 1e6, static_cast<double>(bytes.size()) / 1e6,
                    static_cast<double>(*held) / static_cast<double>(bytes.size()));
    }
    std::filesystem::remove_all(folder);
    return 0;
}
