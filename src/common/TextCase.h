#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// Upper-cases UTF-8 text for comparisons that ignore letter case the way a user means it: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic letters. Anything else, invalid bytes included, stays.
std::string ToUpperText(std::string_view utf8);

// The character in small letters when it is an ASCII capital, else as it is; for narrow and wide
// characters alike.
template <typename Char>
constexpr Char AsciiLower(Char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// The text with its ASCII capitals made small; every other byte stays.
std::string AsciiLowerCase(std::string_view text);

// True when the two texts are equal with ASCII letters compared without regard to case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// True when the text begins with the prefix, ASCII letters compared without regard to case.
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

} // namespace kelvane
