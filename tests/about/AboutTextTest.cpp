#include "about/AboutText.h"

#include "about/CreditsMarkup.h"
#include "about/StyledLinePrinter.h"
#include "common/BuildDate.h"
#include "common/WebPage.h"
#include "support/FakePlatform.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(AboutTextTest, CaptionIsTitleAndVersion)
{
    EXPECT_EQ(AboutCaption(), "Kelvane v1.01");
}

TEST(AboutTextTest, CreditRowsCarryVersionBuildDateAndSite)
{
    const std::vector<std::string> rows = AboutCreditRows("11/14/2023 5:13:20 PM", "https://www.quillfen.example");
    const std::vector<std::string> expected = {
        "&c205,184,72;{{XXL}}&b Kelvane",
        "",
        "",
        "{{white}}{{LG}}v1.01 {{SM}}64-bit",
        "",
        "{{SM}}Created: 11/14/2023 5:13:20 PM",
        "",
        "",
        "",
        "&bThis software available at.",
        "",
        "{{MED}}&b{{blue}}https://www.quillfen.example",
        "",
        "{{white}}{{SM}}Copyright \xC2\xA9 Quillfen. All rights reserved.",
    };
    EXPECT_EQ(rows, expected);

    // What the scroller makes of them.
    const auto line = [](const char* text, std::optional<int32_t> points, std::optional<CreditColor> color, bool bold) {
        return StyledCreditLine{text, points, color, bold, false, false};
    };
    EXPECT_EQ(ProcessCreditLine(rows[0]), line(" Kelvane", 22, CreditColor{205, 184, 72}, true));
    EXPECT_EQ(ProcessCreditLine(rows[3]), line("v1.01 64-bit", 14, CreditColor{255, 255, 255}, false));
    EXPECT_EQ(ProcessCreditLine(rows[5]), line("Created: 11/14/2023 5:13:20 PM", 8, std::nullopt, false));
    EXPECT_EQ(ProcessCreditLine(rows[9]), line("This software available at.", std::nullopt, std::nullopt, true));
    EXPECT_EQ(ProcessCreditLine(rows[11]), line("https://www.quillfen.example", 12, CreditColor{0, 0, 255}, true));
}

TEST(AboutTextTest, InsertedTextsAreNotReadAsMarkup)
{
    const std::vector<std::string> rows = AboutCreditRows("14&11&2023", "https://x.example/?a=1&b=2");
    EXPECT_EQ(ProcessCreditLine(rows[5]).Text, "Created: 14&11&2023");
    EXPECT_EQ(ProcessCreditLine(rows[11]).Text, "https://x.example/?a=1&b=2");
}

struct BuildDateCase
{
    std::optional<int64_t> Stamp;
    RegionalFormats Formats;
    const char* Shown;
};

TEST(BuildDateTest, StampIsShownInLocalTimeWithTheRegionalForms)
{
    const test::FakeTimeZone minusFive(-5 * 3600);
    const RegionalFormats us;
    const RegionalFormats german{".", ":", ",", "dd.MM.yyyy", "HH:mm:ss"};
    const BuildDateCase cases[] = {
        {1700000000, us, "11/14/2023 5:13:20 PM"}, // 14 November 2023 22:13:20 UTC
        {1700000000, german, "14.11.2023 17:13:20"},
        {1700024400, us, "11/15/2023"}, // local midnight: the date alone
        {1700024401, us, "11/15/2023 12:00:01 AM"},
        {std::nullopt, us, "12/30/1899"},     // no stamp: the zero date-time
        {int64_t{1} << 50, us, "12/30/1899"}, // past the calendar
        {0, us, "12/31/1969 7:00:00 PM"},
    };
    for (const BuildDateCase& c : cases) {
        test::FakeBuildStamp stamp(c.Stamp);
        EXPECT_EQ(BuildDateText(BuildDateTime(stamp, minusFive), c.Formats), c.Shown) << c.Stamp.value_or(-1);
    }
}

TEST(BuildDateTest, DaylightSavingTimeOfTheBuildMomentApplies)
{
    const test::FakeTimeZone eastern = test::EasternTime2024();
    test::FakeBuildStamp summer(ToUnixSeconds(EncodeDateTime({{2024, 7, 1}, {16, 0, 0, 0}})));
    test::FakeBuildStamp winter(ToUnixSeconds(EncodeDateTime({{2024, 12, 1}, {16, 0, 0, 0}})));
    EXPECT_EQ(BuildDateText(BuildDateTime(summer, eastern), {}), "7/1/2024 12:00:00 PM");
    EXPECT_EQ(BuildDateText(BuildDateTime(winter, eastern), {}), "12/1/2024 11:00:00 AM");
}

TEST(WebPageTest, HelpPageIsOnTheVendorsSite)
{
    EXPECT_EQ(HelpPageAddress("https://www.quillfen.example"), "https://www.quillfen.example/help.kelvane.html");
    EXPECT_EQ(HelpPageAddress("https://www.quillfen.example/"), "https://www.quillfen.example/help.kelvane.html");
}

TEST(WebPageTest, AFailureGivesTheWarningWithThePlatformsCode)
{
    test::FakeWebBrowser browser;
    EXPECT_EQ(OpenWebPage(browser, "https://a.example"), std::nullopt);
    browser.failWith = 2;
    EXPECT_EQ(OpenWebPage(browser, "https://b.example"), "Error opening URL. Error code: 2");
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"https://a.example", "https://b.example"})) << "no retry";
}

} // namespace
} // namespace kelvane
