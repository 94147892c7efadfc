#include "common/TextCase.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(AsciiCase, OnlyAsciiCapitalsAreLowered)
{
    EXPECT_EQ(AsciiLowerCase("Ribbons.SCR \xC3\x89"), "ribbons.scr \xC3\x89");
    EXPECT_TRUE(StartsWithIgnoringAsciiCase("HTTPS://A.EXAMPLE", "https://"));
    EXPECT_FALSE(StartsWithIgnoringAsciiCase("http", "https://"));
    EXPECT_FALSE(StartsWithIgnoringAsciiCase("ftp://https://", "https://"));
}

} // namespace
} // namespace kelvane
