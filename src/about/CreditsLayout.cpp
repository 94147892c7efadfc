#include "about/CreditsLayout.h"

#include <algorithm>
#include <limits>

namespace kelvane {
namespace {

// A height of zero would put every line in one place and divide by zero below.
int64_t Advance(int32_t lineHeight)
{
    return std::max<int64_t>(1, lineHeight);
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return q * b > a ? q - 1 : q;
}

size_t ClampIndex(int64_t value, size_t lineCount)
{
    if (value <= 0) {
        return 0;
    }
    return static_cast<uint64_t>(value) >= lineCount ? lineCount : static_cast<size_t>(value);
}

// Lines beyond this many could overflow the products below; no control ever holds so many.
int64_t SafeCount(size_t lineCount)
{
    return static_cast<int64_t>(std::min<size_t>(lineCount, std::numeric_limits<int32_t>::max()));
}

} // namespace

CreditLineRange ScrollingLinesInView(int64_t firstLineTop, int32_t lineHeight, int32_t height, size_t lineCount)
{
    if (lineCount == 0) {
        return {};
    }
    const int64_t h = Advance(lineHeight);
    // Line i spans [top + i*h, top + (i+1)*h). It is drawn when its band ends below the top edge...
    const int64_t first = firstLineTop >= 0 ? 0 : FloorDiv(-firstLineTop, h);
    // ...and walked while its top edge is not below the bottom edge (the first line always is).
    const int64_t below = int64_t{height} - firstLineTop;
    const int64_t walked = below < 0 ? 1 : std::max<int64_t>(1, FloorDiv(below, h) + 1);
    const size_t end = ClampIndex(walked, lineCount);
    return {std::min(ClampIndex(first, lineCount), end), end};
}

CreditLineRange StillLinesInView(int64_t top, int32_t lineHeight, int32_t height, size_t lineCount)
{
    const int64_t h = Advance(lineHeight);
    // Line i is in view when its band [top + i*h, top + (i+1)*h) overlaps [0, height).
    const int64_t first = top >= 0 ? 0 : FloorDiv(-top, h);
    const int64_t below = int64_t{height} - top;
    const int64_t end = below <= 0 ? 0 : FloorDiv(below - 1, h) + 1;
    const size_t clampedEnd = ClampIndex(end, lineCount);
    return {std::min(ClampIndex(first, lineCount), clampedEnd), clampedEnd};
}

bool PassIsOver(int64_t firstLineTop, int32_t lineHeight, size_t lineCount)
{
    return firstLineTop < -(SafeCount(lineCount) * Advance(lineHeight));
}

} // namespace kelvane
