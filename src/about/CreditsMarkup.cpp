#include "about/CreditsMarkup.h"

#include "common/TextCase.h"

#include <algorithm>
#include <array>

namespace kelvane {
namespace {

struct ColorWord
{
    std::string_view Word;
    std::string_view Code;
};

// Looked for in this order, each in one pass over the line.
constexpr std::array<ColorWord, 17> ColorWords{{
    {"{{green}}", "&c0,128,0;"},
    {"{{red}}", "&c255,0,0;"},
    {"{{yellow}}", "&c255,255,0;"},
    {"{{blue}}", "&c0,0,255;"},
    {"{{lime}}", "&c0,255,0;"},
    {"{{white}}", "&c255,255,255;"},
    {"{{cyan}}", "&c0,255,255;"},
    {"{{magenta}}", "&c255,0,255;"},
    {"{{black}}", "&c0,0,0;"},
    {"{{purple}}", "&c128,0,128;"},
    {"{{navy}}", "&c0,0,128;"},
    {"{{teal}}", "&c0,128,128;"},
    {"{{gray}}", "&c128,128,128;"},
    {"{{silver}}", "&c192,192,192;"},
    {"{{maroon}}", "&c128,0,0;"},
    {"{{olive}}", "&c128,128,0;"},
    {"{{violet}}", "&c127,0,255;"},
}};

struct SizeWord
{
    std::string_view Word;
    int32_t Points;
};

// In this order, so the largest flagged size is applied last and wins.
constexpr std::array<SizeWord, 5> SizeWords{{
    {"{{SM}}", SmallPoints},
    {"{{MED}}", MediumPoints},
    {"{{LG}}", LargePoints},
    {"{{XL}}", ExtraLargePoints},
    {"{{XXL}}", DoubleExtraLargePoints},
}};

bool MatchesIgnoringCase(std::string_view text, size_t at, std::string_view word)
{
    if (text.size() - at < word.size()) {
        return false;
    }
    for (size_t i = 0; i < word.size(); ++i) {
        if (AsciiLower(text[at + i]) != AsciiLower(word[i])) {
            return false;
        }
    }
    return true;
}

// One pass from left to right: what a replacement puts in is not looked at again, so the work is linear
// in the line's length whatever the line holds.
std::string ReplaceAll(std::string_view text, std::string_view word, std::string_view replacement, bool ignoreCase)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const bool match = ignoreCase ? MatchesIgnoringCase(text, pos, word) : text.substr(pos, word.size()) == word;
        if (match) {
            out += replacement;
            pos += word.size();
        } else {
            out += text[pos++];
        }
    }
    return out;
}

struct Words
{
    std::string Line;
    std::optional<int32_t> PointSize;
};

// The first two steps of reading a line: colour words into codes, size words into the size.
Words HandleWords(std::string_view line)
{
    Words words{std::string(line), std::nullopt};
    if (line.find("{{") == std::string_view::npos) {
        return words; // the common case: no word to look for
    }
    for (const ColorWord& color : ColorWords) {
        words.Line = ReplaceAll(words.Line, color.Word, color.Code, true);
    }
    for (const SizeWord& size : SizeWords) {
        // Only the upper-case spelling sets the size; every spelling is removed.
        if (words.Line.find(size.Word) != std::string::npos) {
            words.PointSize = size.Points;
        }
        words.Line = ReplaceAll(words.Line, size.Word, {}, true);
    }
    return words;
}

// The bytes of the UTF-8 character that starts at `at`; an invalid byte counts as one character.
size_t CharacterLength(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    }
    if (lead >= 0xF5 || length > text.size() - at) {
        return 1;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// One colour component: a decimal number from 0 to 255, blanks around it allowed.
std::optional<uint8_t> ParseComponent(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > 255) {
            return std::nullopt; // also stops a long run of digits from overflowing
        }
    }
    return static_cast<uint8_t>(value);
}

// "R,G,B" as written between "&c" and ";". Anything else has no colour.
std::optional<CreditColor> ParseColor(std::string_view text)
{
    std::array<uint8_t, 3> parts{};
    for (size_t i = 0; i < parts.size(); ++i) {
        const size_t comma = text.find(',');
        const bool last = i + 1 == parts.size();
        if (last != (comma == std::string_view::npos)) {
            return std::nullopt; // too few or too many components
        }
        const auto part = ParseComponent(text.substr(0, comma));
        if (!part) {
            return std::nullopt;
        }
        parts[i] = *part;
        text.remove_prefix(last ? text.size() : comma + 1);
    }
    return CreditColor{parts[0], parts[1], parts[2]};
}

} // namespace

StyledCreditLine ProcessCreditLine(std::string_view line)
{
    const Words words = HandleWords(line);
    const std::string_view text = words.Line;
    StyledCreditLine styled;
    styled.PointSize = words.PointSize;
    styled.Text.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '&') {
            styled.Text += text[pos++];
            continue;
        }
        if (pos + 1 == text.size()) {
            break; // a lone "&" at the end vanishes
        }
        const char code = text[pos + 1];
        pos += 2;
        switch (code) {
        case '&':
            styled.Text += '&';
            break;
        case 'b':
        case 'B':
            styled.Bold = true;
            break;
        case 'i':
        case 'I':
            styled.Italic = true;
            break;
        case 'u':
        case 'U':
            styled.Underline = true;
            break;
        case 'c':
        case 'C': {
            const size_t end = std::min(text.find(';', pos), text.size());
            if (const auto color = ParseColor(text.substr(pos, end - pos))) {
                styled.Color = color;
            }
            pos = end == text.size() ? end : end + 1;
            break;
        }
        default:
            // The whole character goes, not just its first byte, so the text stays valid UTF-8.
            pos += CharacterLength(text, pos - 1) - 1;
            break;
        }
    }
    return styled;
}

std::string ReportedText(std::string_view line)
{
    std::string text = HandleWords(line).Line;
    for (const std::string_view removed : {"\r", "\n", "&u", "&b", "&i"}) {
        text = ReplaceAll(text, removed, {}, false);
    }
    if (text.starts_with("&c")) {
        if (const size_t end = text.find(';'); end != std::string::npos) {
            text.erase(0, end + 1);
        }
    }
    return text;
}

std::string EscapeCreditText(std::string_view text)
{
    return ReplaceAll(text, "&", "&&", false);
}

} // namespace kelvane
