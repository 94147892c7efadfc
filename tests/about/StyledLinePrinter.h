#pragma once

#include "about/CreditsMarkup.h"

#include <ostream>

namespace kelvane {

// How GoogleTest shows a styled line in a failure.
inline void PrintTo(const StyledCreditLine& line, std::ostream* out)
{
    *out << '"' << line.Text << "\" size " << line.PointSize.value_or(0) << " colour ";
    if (line.Color) {
        *out << int{line.Color->Red} << ',' << int{line.Color->Green} << ',' << int{line.Color->Blue};
    } else {
        *out << "base";
    }
    *out << (line.Bold ? " bold" : "") << (line.Italic ? " italic" : "") << (line.Underline ? " underline" : "");
}

} // namespace kelvane
