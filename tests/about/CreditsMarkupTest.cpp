#include "about/CreditsMarkup.h"

#include "about/StyledLinePrinter.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane {
namespace {

constexpr CreditColor Green{0, 128, 0};
constexpr CreditColor Red{255, 0, 0};
constexpr CreditColor Blue{0, 0, 255};
constexpr CreditColor White{255, 255, 255};
constexpr CreditColor Gold{205, 184, 72};

struct MarkupCase
{
    const char* Line;
    StyledCreditLine Expected;
};

StyledCreditLine Plain(std::string text)
{
    return {std::move(text), std::nullopt, std::nullopt, false, false, false};
}

StyledCreditLine Colored(std::string text, CreditColor color)
{
    return {std::move(text), std::nullopt, color, false, false, false};
}

StyledCreditLine Sized(std::string text, int32_t points)
{
    return {std::move(text), points, std::nullopt, false, false, false};
}

class MarkupTable : public testing::TestWithParam<MarkupCase>
{};

TEST_P(MarkupTable, GivesTheTextAndStyleOfTheWholeLine)
{
    EXPECT_EQ(ProcessCreditLine(GetParam().Line), GetParam().Expected) << "line: " << GetParam().Line;
}

INSTANTIATE_TEST_SUITE_P(
    Words, MarkupTable,
    testing::Values(MarkupCase{"{{green}}Hello", Colored("Hello", Green)},
                    MarkupCase{"{{GREEN}}Hello", Colored("Hello", Green)},
                    MarkupCase{"{{GrEeN}}He{{green}}llo", Colored("Hello", Green)},
                    MarkupCase{"{{violet}}x", Colored("x", {127, 0, 255})},
                    MarkupCase{"{{silver}}x{{navy}}", Colored("x", {0, 0, 128})},
                    MarkupCase{"{{orange}}x", Plain("{{orange}}x")}, // not a colour word: drawn as it is
                    MarkupCase{"{{SM}}small {{XL}}large", Sized("small large", 18)},
                    MarkupCase{"{{XXL}}a{{SM}}", Sized("a", 22)}, MarkupCase{"{{MED}}{{LG}}", Sized("", 14)},
                    MarkupCase{"{{sm}}text", Plain("text")}, // removed, but sets nothing
                    MarkupCase{"{{Xl}}a{{XL}}", Sized("a", 18)},
                    MarkupCase{"{{S{{SM}}M}}", Sized("{{SM}}", 8)}, // one pass: what is left is text
                    MarkupCase{"{{white}}{{LG}}v1.01 {{SM}}64-bit", {"v1.01 64-bit", 14, White, false, false, false}},
                    MarkupCase{"&c205,184,72;{{XXL}}&b Kelvane", {" Kelvane", 22, Gold, true, false, false}},
                    MarkupCase{"{{MED}}&b{{blue}}https://x.example",
                               {"https://x.example", 12, Blue, true, false, false}}));

INSTANTIATE_TEST_SUITE_P(
    Codes, MarkupTable,
    testing::Values(MarkupCase{"&c255,0,0;Red &c0,0,255;Blue", Colored("Red Blue", Blue)},
                    MarkupCase{"A &b B", {"A  B", std::nullopt, std::nullopt, true, false, false}},
                    MarkupCase{"&I&U&B", {"", std::nullopt, std::nullopt, true, true, true}},
                    MarkupCase{"&iSlanted &uand under",
                               {"Slanted and under", std::nullopt, std::nullopt, false, true, true}},
                    MarkupCase{"Tom && Jerry", Plain("Tom & Jerry")}, MarkupCase{"&&b", Plain("&b")},
                    MarkupCase{"&&&&", Plain("&&")}, MarkupCase{"50&%", Plain("50")}, MarkupCase{"end&", Plain("end")},
                    MarkupCase{"&", Plain("")}, MarkupCase{"", Plain("")},
                    MarkupCase{"&C0,128,0;x", Colored("x", Green)},
                    MarkupCase{"&c0,128,0", Colored("", Green)},        // no ";": the rest of the line is the code
                    MarkupCase{"&c 255 , 0 ,0 ;x", Colored("x", Red)},  // blanks around the numbers
                    MarkupCase{"&c000,0128,00;x", Colored("x", Green)}, // leading zeros
                    MarkupCase{"a&\xC3\xA9"
                               "b",
                               Plain("ab")}, // the whole character after "&" goes
                    MarkupCase{"a&\xE2\x82\xAC"
                               "b&\xF0\x9F\x98\x80",
                               Plain("ab")},
                    MarkupCase{"a&\xC3", Plain("a")}, // a cut character: one byte
                    MarkupCase{"a&\xFF\xC3\xA9", Plain("a\xC3\xA9")},
                    MarkupCase{"caf\xC3\xA9 \xE2\x82\xAC", Plain("caf\xC3\xA9 \xE2\x82\xAC")}));

// A colour code that is not three numbers from 0 to 255 is dropped with its text, and the line keeps
// the colour it had.
INSTANTIATE_TEST_SUITE_P(
    MalformedColours, MarkupTable,
    testing::Values(MarkupCase{"&c256,0,0;x", Plain("x")}, MarkupCase{"&c0,0;x", Plain("x")},
                    MarkupCase{"&c0,0,0,0;x", Plain("x")}, MarkupCase{"&c;x", Plain("x")},
                    MarkupCase{"&c,,;x", Plain("x")}, MarkupCase{"&cred;x", Plain("x")},
                    MarkupCase{"&c-1,0,0;x", Plain("x")}, MarkupCase{"&c+1,0,0;x", Plain("x")},
                    MarkupCase{"&c0x10,0,0;x", Plain("x")}, MarkupCase{"&c1 2,0,0;x", Plain("x")},
                    MarkupCase{"&c99999999999999999999999,0,0;x", Plain("x")},
                    MarkupCase{"&c255,0,0", Colored("", Red)}, MarkupCase{"&c255,0,", Plain("")},
                    MarkupCase{"{{green}}&c1,2;x", Colored("x", Green)}, // keeps the colour set before
                    MarkupCase{"&c0,0,255;a&c9,9,999;b", Colored("ab", Blue)}, MarkupCase{"&c", Plain("")}));

TEST(ReportedTextTest, DropsStylesAndALeadingColourButKeepsOtherCodes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&c205,184,72;{{XXL}}&b Kelvane", " Kelvane"},
        {"{{MED}}&b{{blue}}Visit", "Visit"},
        {"A&Bb", "A&Bb"},
        {"{{SM}}Created: 11/14/2023", "Created: 11/14/2023"},
        {"x{{red}}y", "x&c255,0,0;y"}, // a colour code after the start stays
        {"&c1,2,3", "&c1,2,3"},        // no ";": nothing dropped
        {"&uA&iB&bC&U&&", "ABC&U&&"},  // only the lower-case codes go
        {"line\r\nbreak", "linebreak"},
        {"&&b", "&"}, // removal is by text, not by code
        {"", ""},
    };
    for (const auto& [line, reported] : cases) {
        EXPECT_EQ(ReportedText(line), reported) << "line: " << line;
    }
}

TEST(EscapeCreditTextTest, EscapedTextIsShownAsItIs)
{
    for (const std::string text : {"https://x.example/?a=1&b=2", "&", "R&D &c1,2,3;", "plain"}) {
        EXPECT_EQ(ProcessCreditLine(EscapeCreditText(text)), Plain(text)) << text;
    }
}

TEST(CreditsMarkupTest, HugeAndHostileLinesAreReadInLinearTime)
{
    // 100,000 characters of each kind: words, codes, lone ampersands, an unclosed colour code.
    const auto repeat = [](const std::string& piece, size_t times) {
        std::string out;
        for (size_t i = 0; i < times; ++i) {
            out += piece;
        }
        return out;
    };
    const std::string words = repeat("{{GREEN}}{{XXL}}", 6250);
    EXPECT_EQ(ProcessCreditLine(words), (StyledCreditLine{"", 22, Green, false, false, false}));
    // Compared as booleans: a failure must not print 100,000 characters.
    EXPECT_TRUE(ProcessCreditLine(repeat("&", 100001)) == Plain(repeat("&", 50000))) << "pairs, then a lone one";
    EXPECT_TRUE(ProcessCreditLine(repeat("&x", 50000)) == Plain(""));
    EXPECT_EQ(ProcessCreditLine("&c" + repeat("9", 100000)), Plain(""));
    EXPECT_EQ(ProcessCreditLine("&c" + repeat(",", 100000) + ";x"), Plain("x"));
    EXPECT_TRUE(ProcessCreditLine(repeat("{", 100000)) == Plain(repeat("{", 100000)));
    EXPECT_EQ(ReportedText(repeat("&b", 50000)), "");
}

} // namespace
} // namespace kelvane
