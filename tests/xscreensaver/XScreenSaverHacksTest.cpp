#include "platform/xscreensaver/XScreenSaverHacks.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelvane::platform {
namespace {

TEST(ParseHackConfig, ReadsTheNameAndLabelAndRefusesNamesUnfitForTheDaemonsList)
{
    struct Case
    {
        const char* xml;
        std::optional<std::string> name;
        std::string label;
    };
    const Case cases[] = {
        {R"(<?xml version="1.0"?><screensaver name="deco" _label="Deco"><command arg="--root"/>)", "deco", "Deco"},
        {"<screensaver _label='Ant &amp; Maze'\n  name='antmaze'>", "antmaze", "Ant & Maze"},
        {R"(<screensaver name="plain">)", "plain", "plain"},
        {R"(<screensaver name="rm -rf ~" _label="x">)", std::nullopt, ""},
        {R"(<screensaver name="xscreensaver-text">)", std::nullopt, ""},
        {R"(<screensaver name="-x">)", std::nullopt, ""},
        {R"(<screensaver label="deco">)", std::nullopt, ""},
        {R"(<screensaver name="deco")", std::nullopt, ""},
        {"no element here", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        const std::optional<HackDescription> description = ParseHackConfig(c.xml);
        ASSERT_EQ(description.has_value(), c.name.has_value());
        if (description) {
            EXPECT_EQ(description->Name, *c.name);
            EXPECT_EQ(description->Label, c.label);
        }
    }
}

TEST(XScreenSaverHacks, KnowsTheHacksWhoseConfigurationNamesThemselves)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("hacks"));
    std::filesystem::create_directories(dir.file("config"));
    dir.write("config/deco.xml", R"(<screensaver name="deco" _label="Deco">)");
    dir.write("config/copy.xml", R"(<screensaver name="swirl" _label="Swirl">)");
    dir.write("config/notes.txt", R"(<screensaver name="notes" _label="Notes">)");
    const XScreenSaverHacks hacks(dir.file("hacks"), dir.file("config"));
    EXPECT_EQ(hacks.LabelOf("deco"), "Deco");
    EXPECT_EQ(hacks.LabelOf("swirl"), std::nullopt);
    EXPECT_EQ(hacks.LabelOf("notes"), std::nullopt);
    EXPECT_EQ(hacks.ProgramFolder(), dir.file("hacks"));
    EXPECT_EQ(XScreenSaverHacks(dir.file("none"), dir.file("config")).ProgramFolder(), "");
}

} // namespace
} // namespace kelvane::platform
