#include "common/LocalTime.h"
#include "platform/linux/LinuxRegionalSettings.h"
#include "platform/qt/QtTimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kelvane::platform {
namespace {

struct ZoneCase
{
    const char* zone;
    CivilDateTime local;
    std::optional<CivilDateTime> utc; // none: the local time was skipped
};

// Northern and southern daylight-saving time, a zone whose clocks move by half an hour, and one that
// never moves them. The answers were worked out by hand from the published rules.
const ZoneCase kZoneCases[] = {
    {"America/New_York", {{2024, 1, 15}, {12, 0, 0, 0}}, CivilDateTime{{2024, 1, 15}, {17, 0, 0, 0}}},
    {"America/New_York", {{2024, 7, 1}, {12, 0, 0, 0}}, CivilDateTime{{2024, 7, 1}, {16, 0, 0, 0}}},
    {"America/New_York", {{2024, 11, 3}, {1, 30, 0, 0}}, CivilDateTime{{2024, 11, 3}, {6, 30, 0, 0}}},
    {"America/New_York", {{2024, 3, 10}, {2, 30, 0, 0}}, std::nullopt},
    {"Australia/Sydney", {{2024, 1, 15}, {12, 0, 0, 0}}, CivilDateTime{{2024, 1, 15}, {1, 0, 0, 0}}},
    {"Australia/Sydney", {{2024, 7, 1}, {12, 0, 0, 0}}, CivilDateTime{{2024, 7, 1}, {2, 0, 0, 0}}},
    {"Australia/Sydney", {{2024, 4, 7}, {2, 30, 0, 0}}, CivilDateTime{{2024, 4, 6}, {16, 30, 0, 0}}},
    {"Australia/Sydney", {{2024, 10, 6}, {2, 30, 0, 0}}, std::nullopt},
    {"Australia/Lord_Howe", {{2024, 7, 1}, {12, 0, 0, 0}}, CivilDateTime{{2024, 7, 1}, {1, 30, 0, 0}}},
    {"Australia/Lord_Howe", {{2024, 4, 7}, {1, 45, 0, 0}}, CivilDateTime{{2024, 4, 6}, {15, 15, 0, 0}}},
    {"Australia/Lord_Howe", {{2024, 10, 6}, {2, 15, 0, 0}}, std::nullopt},
    {"Australia/Lord_Howe", {{2024, 10, 6}, {2, 30, 0, 0}}, CivilDateTime{{2024, 10, 5}, {15, 30, 0, 0}}},
    {"Asia/Kolkata", {{2024, 7, 1}, {12, 0, 0, 0}}, CivilDateTime{{2024, 7, 1}, {6, 30, 0, 0}}},
    {"Asia/Kolkata", {{1999, 12, 31}, {23, 59, 59, 0}}, CivilDateTime{{1999, 12, 31}, {18, 29, 59, 0}}},
};

TEST(QtTimeZone, NamedZonesConvertBothWays)
{
    for (const ZoneCase& c : kZoneCases) {
        const QtTimeZone zone(c.zone);
        ASSERT_TRUE(zone.IsValid()) << c.zone << " is missing from the tz database";
        const auto utc = LocalToUtc(zone, EncodeDateTime(c.local));
        if (!c.utc) {
            EXPECT_FALSE(utc.ok()) << c.zone << " skips this local time";
            continue;
        }
        ASSERT_TRUE(utc.ok()) << c.zone << ": " << utc.message();
        EXPECT_EQ(DecodeDateTime(utc.value()), *c.utc) << c.zone;
        EXPECT_EQ(DecodeDateTime(UtcToLocal(zone, utc.value())), c.local) << c.zone;
    }
}

TEST(QtTimeZone, ASkippedTimeBecomesTheTimeTheClockShows)
{
    const struct
    {
        const char* zone;
        CivilDateTime local;
        CivilDateTime shown;
    } cases[] = {
        {"America/New_York", {{2024, 3, 10}, {2, 30, 0, 0}}, {{2024, 3, 10}, {3, 30, 0, 0}}},
        {"Europe/Berlin", {{2024, 3, 31}, {2, 0, 0, 0}}, {{2024, 3, 31}, {3, 0, 0, 0}}},
        {"Australia/Lord_Howe", {{2024, 10, 6}, {2, 15, 0, 0}}, {{2024, 10, 6}, {2, 45, 0, 0}}}, // half an hour
        {"Europe/Berlin", {{2024, 3, 31}, {3, 0, 0, 0}}, {{2024, 3, 31}, {3, 0, 0, 0}}},         // exists
        {"Europe/Berlin", {{2024, 10, 27}, {2, 30, 0, 0}}, {{2024, 10, 27}, {2, 30, 0, 0}}},     // happens twice
    };
    for (const auto& c : cases) {
        const QtTimeZone zone(c.zone);
        ASSERT_TRUE(zone.IsValid()) << c.zone;
        const DateTime shown = LocalTimeConverter(zone).ExistingLocalTime(EncodeDateTime(c.local));
        EXPECT_EQ(DecodeDateTime(shown), c.shown) << c.zone;
        EXPECT_TRUE(LocalToUtc(zone, shown).ok()) << c.zone;
    }
}

TEST(QtTimeZone, PeriodsEndAtTheNextChange)
{
    const QtTimeZone zone("America/New_York");
    const int64_t july = ToUnixSeconds(EncodeDateTime({{2024, 7, 1}, {}}));
    const OffsetPeriod summer = zone.PeriodAt(july);
    EXPECT_EQ(summer.OffsetSeconds, -4 * 3600);
    EXPECT_EQ(summer.Begin, ToUnixSeconds(EncodeDateTime({{2024, 3, 10}, {7, 0, 0, 0}})));
    EXPECT_EQ(summer.End, ToUnixSeconds(EncodeDateTime({{2024, 11, 3}, {6, 0, 0, 0}})));
    EXPECT_EQ(zone.PeriodAt(summer.End).OffsetSeconds, -5 * 3600);
    EXPECT_EQ(zone.PeriodAt(summer.Begin).Begin, summer.Begin) << "a change on the very second starts the period";

    const OffsetPeriod kolkata = QtTimeZone("Asia/Kolkata").PeriodAt(july);
    EXPECT_EQ(kolkata.OffsetSeconds, 19800);
    EXPECT_EQ(kolkata.End, OffsetPeriod::Always);
}

TEST(LinuxRegionalSettings, SeparatorsComeFromTheLocalesPatterns)
{
    const std::pair<const char*, const char*> dates[] = {
        {"%m/%d/%y", "/"},
        {"%d.%m.%Y", "."},
        {"%Y-%m-%d", "-"},
        {"%D", "/"},
        {"%F", "-"},
        {"%d. %m. %Y", ". "},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", "\xE5\xB9\xB4"},
        {"%e/%-m/%Y", "/"},
        {"%Ey", "/"}, // one field only: the fallback
    };
    for (const auto& [pattern, separator] : dates) {
        EXPECT_EQ(SeparatorFromPattern(pattern, "/"), separator) << pattern;
    }
    EXPECT_EQ(SeparatorFromPattern("%r", ":"), ":");
    EXPECT_EQ(SeparatorFromPattern("%H.%M.%S", ":"), ".");
    EXPECT_EQ(SeparatorFromPattern("%T", "."), ":");
}

TEST(LinuxRegionalSettings, StrftimePatternsBecomePictures)
{
    const std::pair<const char*, const char*> cases[] = {
        {"%m/%d/%y", "MM/dd/yy"},     {"%d.%m.%Y", "dd.MM.yyyy"}, {"%r", "hh:mm:ss tt"},
        {"%T", "HH:mm:ss"},           {"%e/%-m/%Y", "d/M/yyyy"},  {"%Y-%m-%d %Hh", "yyyy-MM-dd HH'h'"},
        {"%A %d %B %Y", " dd  yyyy"}, {"%l:%M %p", "h:mm tt"},
    };
    for (const auto& [pattern, picture] : cases) {
        EXPECT_EQ(PictureFromPattern(pattern), picture) << pattern;
    }
}

TEST(LinuxRegionalSettings, TheCLocaleReadsAsUnitedStatesSeparators)
{
    const char* old = std::getenv("LC_ALL");
    const std::string saved = old ? old : "";
    ::setenv("LC_ALL", "C", 1);
    const RegionalFormats formats = LinuxRegionalSettings().Read();
    old ? ::setenv("LC_ALL", saved.c_str(), 1) : ::unsetenv("LC_ALL");
    EXPECT_EQ(formats, (RegionalFormats{"/", ":", ".", "MM/dd/yy", "HH:mm:ss"}));
}

} // namespace
} // namespace kelvane::platform
