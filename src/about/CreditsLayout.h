#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvane {

// Lines [First, End) of the credits.
struct CreditLineRange
{
    size_t First = 0;
    size_t End = 0;

    bool Contains(size_t index) const { return index >= First && index < End; }
    bool operator==(const CreditLineRange&) const = default;
};

// The lines that the scrolling layout draws when the first line's top edge is at `firstLineTop` and each
// line advances by `lineHeight` in a control `height` pixels high. A line is drawn while its own band
// has not wholly left through the top; the walk stops after the first line whose band reaches below
// the bottom edge, so the next line to enter is drawn (and reported) as its top edge meets the bottom
// edge. The first line is always walked. Computed directly, so it costs the same for any number of
// lines.
CreditLineRange ScrollingLinesInView(int64_t firstLineTop, int32_t lineHeight, int32_t height, size_t lineCount);

// The lines of the still layout that fall inside the control: the first line's top edge at `top`.
CreditLineRange StillLinesInView(int64_t top, int32_t lineHeight, int32_t height, size_t lineCount);

// Whether the whole text has left through the top, so the next pass should begin.
bool PassIsOver(int64_t firstLineTop, int32_t lineHeight, size_t lineCount);

} // namespace kelvane
