#include "common/RegionalDateTime.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(GeneralNumber, FifteenDigitsAndScientificBelowAHundredThousandth)
{
    const struct
    {
        double value;
        const char* separator;
        const char* text;
    } cases[] = {
        {20.0 / 86400.0, ".", "0.000231481481481481"},
        {0.5 / 86400.0, ".", "5.78703703703704E-6"},
        {50.0 / 86400.0, ",", "0,000578703703703704"},
        {0.0, ".", "0"},
        {0.00001, ".", "0.00001"},
        {0.000009, ".", "9E-6"},
        {1.5, ",", "1,5"},
        {365.0, ".", "365"},
        {123456.789, ".", "123456.789"},
        {1.0 / 3.0, ".", "0.333333333333333"},
        {1e15, ".", "1E15"},
        {-2.5, ".", "-2.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneralNumber(c.value, c.separator), c.text) << c.value;
    }
}

TEST(RegionalDateTime, PicturePatternsWithTheSeparators)
{
    const DateTime value = EncodeDateTime({{2024, 3, 4}, {9, 5, 7, 0}});
    const DateTime evening = EncodeDateTime({{2024, 12, 25}, {21, 0, 0, 0}});
    RegionalFormats us;
    EXPECT_EQ(FormatRegionalDateTime(value, us), "3/4/2024 9:05:07 AM");
    EXPECT_EQ(FormatRegionalDateTime(evening, us), "12/25/2024 9:00:00 PM");

    RegionalFormats german{".", ":", ",", "dd/MM/yyyy", "HH:mm:ss"};
    EXPECT_EQ(FormatRegionalDateTime(value, german), "04.03.2024 09:05:07");
    EXPECT_EQ(FormatPicture(evening, "yy-M-d 'at' H 'h'", german), "24-12-25 at 21 h");
}

} // namespace
} // namespace kelvane
