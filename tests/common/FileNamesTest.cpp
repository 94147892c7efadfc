#include "common/FileNames.h"

#include "common/TextCase.h"

#include <gtest/gtest.h>

#include <string_view>
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

TEST(ScreensaverEndings, OnlyADotScrEndingCountsWithAsciiLettersInAnyCase)
{
    const std::pair<const char*, bool> cases[] = {
        {"/usr/lib/glow.scr", true},
        {"C:\\WINDOWS\\RIBBONS.SCR", true},
        {"mixed.ScR", true},
        {".scr", true},
        {"scr", false},
        {"", false},
        {"glow.scrx", false},
        {"glow_scr", false},
        {"/folder.scr/glow", false},
        {"glow.\305\277cr", false}, // a long s, which folds to "s" outside ASCII
    };
    for (const auto& [name, ends] : cases) {
        EXPECT_EQ(EndsWithScr(name), ends) << name;
    }
    // The folder scan reads the system's own file names, which are wide on Windows.
    EXPECT_TRUE(EndsWithScr(std::wstring_view(L"Bubbles.SCR")));
    EXPECT_FALSE(EndsWithScr(std::wstring_view(L"Bubbles.SC")));
}

TEST(DriveLetters, OnlyALetterAndAColonStartAWindowsPath)
{
    const std::pair<const char*, bool> cases[] = {
        {"C:\\Windows", true}, {"d:/games", true}, {"z:", true},     {"C", false},     {"", false},
        {"1:\\x", false},      {"@:\\x", false},   {"[:\\x", false}, {"/c:/x", false}, {"\xC3\x89:", false},
    };
    for (const auto& [path, drive] : cases) {
        EXPECT_EQ(HasDriveLetter(path), drive) << path;
    }
}

} // namespace
} // namespace kelvane
