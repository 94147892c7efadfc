#include "common/EventDateTimeText.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

const RegionalFormats kUnitedStates{"/", ":", "."};
const RegionalFormats kGerman{".", ":", ","};
const RegionalFormats kFinnish{".", ".", ","};
const RegionalFormats kIso{"-", ":", "."};
const RegionalFormats kMultiByte{"\xE2\x80\x8F/", "\xEF\xBC\x9A", "."}; // a mark before "/" and a wide colon

TEST(EventDateTimeText, FormatsWithTheRegionalSeparators)
{
    const DateTime christmas = EncodeDateTime({{2023, 12, 25}, {14, 0, 0, 0}});
    const struct
    {
        DateTime value;
        const RegionalFormats& formats;
        const char* text;
    } cases[] = {
        {christmas, kUnitedStates, "12/25/2023 02:00:00 PM"},
        {christmas, kGerman, "12.25.2023 02:00:00 PM"},
        {christmas, kFinnish, "12.25.2023 02.00.00 PM"},
        {christmas, kIso, "12-25-2023 02:00:00 PM"},
        {EncodeDateTime({{2024, 1, 5}, {0, 7, 9, 999}}), kUnitedStates, "01/05/2024 12:07:09 AM"}, // no fraction
        {EncodeDateTime({{2024, 1, 5}, {12, 0, 0, 0}}), kUnitedStates, "01/05/2024 12:00:00 PM"},
        {EncodeDateTime({{2024, 1, 5}, {11, 59, 59, 0}}), kUnitedStates, "01/05/2024 11:59:59 AM"},
        {EncodeDateTime({{812, 7, 4}, {23, 0, 0, 0}}), kUnitedStates, "07/04/0812 11:00:00 PM"},
        {0.0, kUnitedStates, "12/30/1899 12:00:00 AM"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatEventDateTime(c.value, c.formats), c.text);
        const auto back = ParseEventDateTime(c.text, c.formats);
        ASSERT_TRUE(back.ok()) << c.text;
        EXPECT_EQ(FormatEventDateTime(back.value(), c.formats), c.text);
    }
    EXPECT_EQ(ZeroDateTimeText(kUnitedStates), "12/30/1899 12:00:00 AM");
    EXPECT_EQ(ZeroDateTimeText(kFinnish), "12.30.1899 12.00.00 AM");
}

TEST(EventDateTimeText, ReadsShortAndLooseForms)
{
    const struct
    {
        const char* text;
        const RegionalFormats& formats;
        CivilDateTime value;
    } cases[] = {
        {"1/2/2024 3:04:05 PM", kUnitedStates, {{2024, 1, 2}, {15, 4, 5, 0}}},
        {"1.2.2024 3.4.5 am", kFinnish, {{2024, 1, 2}, {3, 4, 5, 0}}},
        {"12/25/2023 12:00:00 AM", kUnitedStates, {{2023, 12, 25}, {0, 0, 0, 0}}},
        {"12/25/2023 12:30:00 PM", kUnitedStates, {{2023, 12, 25}, {12, 30, 0, 0}}},
        {"12/25/2023 17:45", kUnitedStates, {{2023, 12, 25}, {17, 45, 0, 0}}},
        {"  12/25/2023  ", kUnitedStates, {{2023, 12, 25}, {0, 0, 0, 0}}},
        {"2\xE2\x80\x8F/29\xE2\x80\x8F/2024 1\xEF\xBC\x9A"
         "02\xEF\xBC\x9A"
         "03 PM",
         kMultiByte,
         {{2024, 2, 29}, {13, 2, 3, 0}}},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseEventDateTime(c.text, c.formats);
        ASSERT_TRUE(parsed.ok()) << c.text << ": " << parsed.message();
        EXPECT_EQ(DecodeDateTime(parsed.value()), c.value) << c.text;
    }
}

TEST(EventDateTimeText, RefusesWhatIsNoDateAndTime)
{
    const char* bad[] = {
        "",
        "tomorrow",
        "12.25.2023 02:00:00 PM", // the wrong date separator for these settings
        "13/01/2024 01:00:00 AM",
        "02/30/2024 01:00:00 AM",
        "12/25/23 01:00:00 AM", // the year is written in full
        "12/25/2023 13:00:00 PM",
        "12/25/2023 00:30:00 AM",
        "12/25/2023 24:00:00",
        "12/25/2023 10:60:00 AM",
        "12/25/2023 10:00:00 XM",
        "12/25/2023 10:00:00 AM trailing",
        "012/25/2023 10:00:00 AM",
        "12/25/2023 10:",
    };
    for (const char* text : bad) {
        const auto parsed = ParseEventDateTime(text, kUnitedStates);
        EXPECT_FALSE(parsed.ok()) << text;
        EXPECT_EQ(parsed.message(), "'" + std::string(text) + "' is not a valid date and time");
    }
}

} // namespace
} // namespace kelvane
