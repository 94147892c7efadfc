#include "common/FileNames.h"

#include "common/TextCase.h"

#include <gtest/gtest.h>

#include <utility>

namespace kelvane {
namespace {

TEST(ExecutableNames, TheFileNameFollowsTheLastSeparatorOfAnyKind)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Windows\\System32\\ribbons.scr", "ribbons.scr"},
        {"/usr/lib/glow.scr", "glow.scr"},
        {"C:ribbons.scr", "ribbons.scr"},
        {"plain.scr", "plain.scr"},
        {"/folder/", ""},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(ExecutableFileName(path), name) << path;
    }
    EXPECT_TRUE(EqualsIgnoringAsciiCase("Ribbons.SCR", "ribbons.scr"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("ribbons.scr", "ribbons.sc"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC3\x89.scr", "\xC3\xA9.scr")) << "only ASCII letters fold";
}

} // namespace
} // namespace kelvane
