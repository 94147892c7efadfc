#include "about/CreditsLayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelvane {
namespace {

// The walk of the scrolling layout as written out line by line: draw while the band has not left
// through the top, stop after the first line whose next one starts below the bottom edge.
CreditLineRange WalkLines(int64_t top, int32_t h, int32_t height, size_t count)
{
    CreditLineRange range{count, 0};
    int64_t y = top;
    for (size_t i = 0; i < count; ++i) {
        if (y + h > 0) {
            range.First = std::min(range.First, i);
            range.End = i + 1;
        }
        y += h;
        if (y > height) {
            range.End = std::max(range.End, i + 1);
            break;
        }
    }
    if (range.First > range.End) {
        range.First = range.End;
    }
    return range;
}

TEST(CreditsLayoutTest, ScrollingRangeMatchesTheLineByLineWalk)
{
    for (const int32_t h : {1, 7, 15}) {
        for (const size_t count : {size_t{0}, size_t{1}, size_t{3}, size_t{14}, size_t{40}}) {
            for (int64_t top = 260; top >= -700; --top) {
                const CreditLineRange walked = WalkLines(top, h, 200, count);
                const CreditLineRange computed = ScrollingLinesInView(top, h, 200, count);
                if (walked.First == walked.End) {
                    ASSERT_EQ(computed.First, computed.End) << "top " << top << " h " << h << " count " << count;
                } else {
                    ASSERT_EQ(computed, walked) << "top " << top << " h " << h << " count " << count;
                }
            }
        }
    }
}

TEST(CreditsLayoutTest, TheFirstLineIsDrawnAtOnceAndEachNextAsItsTopMeetsTheBottomEdge)
{
    // h = 15, H = 200: a pass starts at 215.
    EXPECT_EQ(ScrollingLinesInView(215, 15, 200, 14), (CreditLineRange{0, 1}));
    EXPECT_EQ(ScrollingLinesInView(186, 15, 200, 14), (CreditLineRange{0, 1}));
    EXPECT_EQ(ScrollingLinesInView(185, 15, 200, 14), (CreditLineRange{0, 2})) << "line 1's top at 200";
    EXPECT_EQ(ScrollingLinesInView(-14, 15, 200, 14), (CreditLineRange{0, 14}));
    EXPECT_EQ(ScrollingLinesInView(-15, 15, 200, 14), (CreditLineRange{1, 14})) << "line 0's band has left";
}

TEST(CreditsLayoutTest, APassEndsOnceTheTextIsPastTheTop)
{
    // Three lines of 15: the wrap comes at -46.
    EXPECT_FALSE(PassIsOver(-45, 15, 3));
    EXPECT_TRUE(PassIsOver(-46, 15, 3));
    // No lines: each time the position passes below 0.
    EXPECT_FALSE(PassIsOver(0, 15, 0));
    EXPECT_TRUE(PassIsOver(-1, 15, 0));
}

TEST(CreditsLayoutTest, DegenerateSizesStayInRange)
{
    const size_t many = std::numeric_limits<size_t>::max();
    const int64_t low = std::numeric_limits<int32_t>::min();
    const int32_t tall = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(ScrollingLinesInView(10, 0, 0, 5), (CreditLineRange{0, 1})) << "h 0 counts as 1";
    EXPECT_EQ(ScrollingLinesInView(-3, 0, 0, 5), (CreditLineRange{3, 4}));
    EXPECT_EQ(ScrollingLinesInView(low, 1, tall, many).First, static_cast<size_t>(-low));
    EXPECT_EQ(ScrollingLinesInView(0, 5000, 200, 3), (CreditLineRange{0, 1}));
    EXPECT_TRUE(PassIsOver(low, tall, 1));
    EXPECT_FALSE(PassIsOver(low, tall, many)) << "no overflow with very many lines";
    EXPECT_EQ(StillLinesInView(4, 15, 200, 100), (CreditLineRange{0, 14}));
    EXPECT_EQ(StillLinesInView(4, 15, 0, 100), (CreditLineRange{0, 0}));
    EXPECT_EQ(StillLinesInView(4, 15, 200, 3), (CreditLineRange{0, 3}));
    EXPECT_EQ(StillLinesInView(4, 0, 200, many), (CreditLineRange{0, 196}));
}

} // namespace
} // namespace kelvane
