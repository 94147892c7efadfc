#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// Upper-cases UTF-8 text for comparisons that ignore letter case the way a user means it: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic letters. Anything else, invalid bytes included, stays.
std::string ToUpperText(std::string_view utf8);

// True when the two texts are equal with ASCII letters compared without regard to case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace kelvane
