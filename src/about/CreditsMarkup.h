#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

struct CreditColor
{
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;

    bool operator==(const CreditColor&) const = default;
};

// One credits line as the scroller draws it: the text without its markup, and what the markup sets. The
// markup applies to the whole line, so one line is one font, one colour and one style.
struct StyledCreditLine
{
    std::string Text;
    std::optional<int32_t> PointSize; // none: the base font's size
    std::optional<CreditColor> Color; // none: the base font's colour
    bool Bold = false;                // the base style is replaced by bold alone
    bool Italic = false;
    bool Underline = false;

    bool operator==(const StyledCreditLine&) const = default;
};

// The sizes that "{{SM}}" to "{{XXL}}" give, in points.
inline constexpr int32_t SmallPoints = 8;
inline constexpr int32_t MediumPoints = 12;
inline constexpr int32_t LargePoints = 14;
inline constexpr int32_t ExtraLargePoints = 18;
inline constexpr int32_t DoubleExtraLargePoints = 22;

// Reads a line's markup: colour words ("{{green}}", any letter case) become colour codes; size words
// ("{{SM}}" to "{{XXL}}") set their size when written in upper case and vanish in any case, the largest
// flagged size winning; then the codes "&&", "&b", "&i", "&u" and "&cR,G,B;" are read from left to right,
// the last colour winning. Any other "&" vanishes with the character after it. A colour code that is not
// three numbers from 0 to 255 is dropped and the line keeps its colour. Never fails, on any bytes.
StyledCreditLine ProcessCreditLine(std::string_view line);

// The text that reports a line coming into view: the words handled as above, line breaks and the
// lower-case style codes removed, and a colour code at the very start dropped. Other codes stay.
std::string ReportedText(std::string_view line);

// A text to be shown as it is inside a credits line: every "&" doubled, so it cannot start a code.
std::string EscapeCreditText(std::string_view text);

} // namespace kelvane
