#include "common/ColorContrast.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ColorContrast, RatiosFollowTheRelativeLuminanceOfBothColours)
{
    const struct
    {
        Rgb a;
        Rgb b;
        double ratio;
    } cases[] = {
        {0x000000, 0xFFFFFF, 21.0}, {0xFFFFFF, 0x000000, 21.0}, // either order
        {0x336699, 0x336699, 1.0},  {0x767676, 0xFFFFFF, 4.54}, // the lightest grey that passes on white
        {0x777777, 0xFFFFFF, 4.48},                             // one step lighter fails
        {0xFF0000, 0xFFFFFF, 4.00}, {0x0000FF, 0x000000, 2.44}, // channels weigh differently
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.005) << std::hex << c.a << " on " << c.b;
    }
}

TEST(ColorContrast, DerivedColours)
{
    EXPECT_EQ(Blend(0x000000, 0xFFFFFF, 0.5), 0x808080u);
    EXPECT_EQ(Blend(0x102030, 0x405060, 0.0), 0x102030u);
    EXPECT_EQ(Blend(0x102030, 0x405060, 2.0), 0x405060u) << "the share is kept within 0 to 1";

    EXPECT_EQ(AwayFromText(0x808080, 0x000000, 1.0), 0xFFFFFFu) << "lighter behind dark text";
    EXPECT_EQ(AwayFromText(0x808080, 0xFFFFFF, 1.0), 0x000000u) << "darker behind light text";

    // Softened as far as the rule allows, never below it.
    const Rgb soft = SoftenedText(0x000000, 0xFFFFFF, 0.9);
    EXPECT_NE(soft, 0x000000u);
    EXPECT_GE(ContrastRatio(soft, 0xFFFFFF), MinimumTextContrast);
    EXPECT_LT(ContrastRatio(soft, 0xFFFFFF), 7.0);
    EXPECT_EQ(SoftenedText(0x767676, 0xFFFFFF, 0.4), 0x767676u) << "no room left to soften";

    // A mark may go softer than a text, down to its own least contrast and no further.
    const Rgb outline = SoftenedMark(0x000000, 0xFFFFFF, 0.9);
    EXPECT_GE(ContrastRatio(outline, 0xFFFFFF), MinimumMarkContrast);
    EXPECT_LT(ContrastRatio(outline, 0xFFFFFF), MinimumTextContrast);
    EXPECT_EQ(SoftenedMark(0x000000, 0xFFFFFF, 0.2), Blend(0x000000, 0xFFFFFF, 0.2)) << "the share is the limit";
}

} // namespace
} // namespace kelvane
