#include "library/ActiveScreensaver.h"

#include "support/FakePlatform.h"
#include "support/RecordedActiveScreensaver.h"

#include <gtest/gtest.h>

#include <functional>

namespace kelvane {
namespace {

using Calls = std::vector<std::string>;

class ActiveScreensaverTest : public testing::Test
{
protected:
    test::FakePlatform platform;
    ActiveScreensaverControl control{platform, platform, platform};
    test::RecordedActiveScreensaver told{control};
    std::vector<std::string>& shown = told.changes;
    std::vector<std::string>& messages = told.problems;
};

TEST_F(ActiveScreensaverTest, TheRefreshShowsThePathOrNone)
{
    const struct
    {
        std::optional<std::string> setting;
        std::string text;
    } cases[] = {
        {std::nullopt, "None"},
        {"", "None"},
        {"C:\\Windows\\System32\\Ribbons.scr", "C:\\Windows\\System32\\Ribbons.scr"},
        {"/home/u/.scr/glow.scr", "/home/u/.scr/glow.scr"},
    };
    EXPECT_EQ(control.ActiveScreensaverText(), "") << "nothing before the first refresh";
    for (const auto& c : cases) {
        platform.setting = c.setting;
        control.GetActiveScreenSaverForDisplay();
        EXPECT_EQ(control.ActiveScreensaverText(), c.text);
        EXPECT_EQ(shown.back(), c.text);
    }
    EXPECT_EQ(shown.size(), std::size(cases)) << "each refresh tells the listeners once";
}

TEST_F(ActiveScreensaverTest, ChangesWriteAndTellWhatTheSettingNowHolds)
{
    control.ActivateScreensaver("/s/a.scr");
    EXPECT_EQ(platform.setting, "/s/a.scr");
    EXPECT_EQ(shown, Calls{"/s/a.scr"});

    control.SetNone();
    EXPECT_FALSE(platform.setting.has_value());
    EXPECT_EQ(shown.back(), "None");

    control.SetBlank(); // whether or not the file exists
    EXPECT_EQ(platform.setting, BlankScreensaverPath("C:\\Windows"));
    EXPECT_EQ(control.ActiveScreensaverText(), BlankScreensaverPath("C:\\Windows"));
    EXPECT_EQ(shown, (Calls{"/s/a.scr", "None", BlankScreensaverPath("C:\\Windows")}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ActiveScreensaverTest, AFailedWriteTellsWhatTheSettingStillHoldsAndWhy)
{
    platform.setting = "/s/before.scr";
    platform.settingWriteFails = "The active screensaver could not be saved: read-only";
    const struct
    {
        const char* name;
        std::function<void()> action;
    } cases[] = {
        {"activate", [this] { EXPECT_TRUE(control.ActivateScreensaver("/s/a.scr")); }},
        {"none", [this] { control.SetNone(); }},
        {"blank", [this] { control.SetBlank(); }},
    };
    for (const auto& c : cases) {
        shown.clear();
        messages.clear();
        c.action();
        EXPECT_EQ(shown, Calls{"/s/before.scr"}) << c.name;
        EXPECT_EQ(messages, Calls{*platform.settingWriteFails}) << c.name;
        EXPECT_EQ(control.ActiveScreensaverText(), "/s/before.scr") << c.name;
    }
}

TEST_F(ActiveScreensaverTest, EveryListenerFollowsUntilItGoes)
{
    std::optional<test::RecordedActiveScreensaver> second(std::in_place, control);
    control.AddListener(&*second); // a second add changes nothing
    platform.missingFiles = {"/s/gone.scr"};
    control.ActivateScreensaver("/s/a.scr");
    control.ActivateScreensaver("/s/gone.scr");
    EXPECT_EQ(second->changes, Calls{"/s/a.scr"});
    EXPECT_EQ(second->problems, Calls{MissingScreensaverText("/s/gone.scr")});
    EXPECT_EQ(shown, second->changes);
    EXPECT_EQ(messages, second->problems);

    second.reset(); // it removes itself: nothing reaches it from now on
    control.SetNone();
    EXPECT_EQ(shown.back(), "None");
}

TEST_F(ActiveScreensaverTest, RunScreensaverStartsOnlyASetOne)
{
    control.GetActiveScreenSaverForDisplay();
    control.RunActiveScreensaver();
    EXPECT_EQ(platform.calls, Calls{}) << "\"None\" starts nothing";
    control.ActivateScreensaver("/s/a.scr");
    control.RunActiveScreensaver();
    EXPECT_EQ(platform.calls.back(), "run /s/a.scr");
}

TEST_F(ActiveScreensaverTest, AMissingFileIsNeitherStartedNorSet)
{
    const std::string missing = "C:\\Windows\\System32\\ribbons.scr";
    const struct
    {
        const char* name;
        std::function<bool(const std::string&)> action;
        std::string call; // what it does with a file that is there
    } cases[] = {
        {"activate", [this](const std::string& path) { return control.ActivateScreensaver(path); }, "write "},
        {"run", [this](const std::string& path) { return control.RunScreensaverFile(path); }, "run "},
        {"configure", [this](const std::string& path) { return control.ConfigureScreensaverFile(path); }, "configure "},
    };
    platform.missingFiles = {missing};
    platform.setting = "/s/before.scr";
    for (const auto& c : cases) {
        platform.calls.clear();
        messages.clear();
        EXPECT_FALSE(c.action(missing)) << c.name;
        EXPECT_EQ(platform.calls, Calls{}) << c.name;
        EXPECT_EQ(messages, Calls{"Screensaver file is missing, nothing done: " + missing}) << c.name;
        EXPECT_TRUE(c.action("/s/there.scr")) << c.name;
        EXPECT_EQ(platform.calls, Calls{c.call + "/s/there.scr"}) << c.name;
        EXPECT_EQ(messages.size(), 1u) << c.name;
        platform.setting = "/s/before.scr";
    }

    platform.setting = missing; // set active by someone else, and gone since
    control.GetActiveScreenSaverForDisplay();
    platform.calls.clear();
    control.RunActiveScreensaver();
    EXPECT_EQ(platform.calls, Calls{}) << "\"Run Screensaver\" starts nothing for a missing active file";

    platform.missingFiles.insert(BlankScreensaverPath("C:\\Windows"));
    control.SetBlank();
    EXPECT_EQ(platform.setting, BlankScreensaverPath("C:\\Windows")) << "\"Set: Blank\" keeps its own rule";
}

TEST_F(ActiveScreensaverTest, CloseSendsTheInputOnceForTheFirstRunningFileOfTheList)
{
    const struct
    {
        const char* name;
        std::vector<std::string> running;
        std::vector<std::string> list;
        Calls calls;
    } cases[] = {
        {"empty list", {"ribbons.scr"}, {}, {}},
        {"none runs", {"other.scr"}, {"C:\\s\\ribbons.scr"}, {"find ribbons.scr"}},
        {"other folder and case",
         {"RIBBONS.SCR"},
         {"C:\\Windows\\System32\\ribbons.scr"},
         {"find ribbons.scr", "exit input"}},
        {"first match stops the search",
         {"b.scr", "a.scr"},
         {"/x/c.scr", "/x/a.scr", "/x/b.scr"},
         {"find c.scr", "find a.scr", "exit input"}},
        {"a name is not a prefix", {"ribbons.scr.bak"}, {"/x/ribbons.scr"}, {"find ribbons.scr"}},
    };
    for (const auto& c : cases) {
        platform.calls.clear();
        platform.runningExeNames = c.running;
        const bool sent = control.CloseRunningScreensaver(c.list);
        EXPECT_EQ(platform.calls, c.calls) << c.name;
        EXPECT_EQ(sent, !c.calls.empty() && c.calls.back() == "exit input") << c.name;
    }
}

TEST(ActionSelection, RunTakesTheUppermostAndTheOthersNeedExactlyOne)
{
    const std::vector<std::string> none;
    const std::vector<std::string> one{"/a.scr"};
    const std::vector<std::string> two{"/a.scr", "/b.scr"};
    EXPECT_EQ(PathForAction(SelectionNeed::AtLeastOne, none), std::nullopt);
    EXPECT_EQ(PathForAction(SelectionNeed::AtLeastOne, one), "/a.scr");
    EXPECT_EQ(PathForAction(SelectionNeed::AtLeastOne, two), "/a.scr");
    EXPECT_EQ(PathForAction(SelectionNeed::ExactlyOne, none), std::nullopt);
    EXPECT_EQ(PathForAction(SelectionNeed::ExactlyOne, one), "/a.scr");
    EXPECT_EQ(PathForAction(SelectionNeed::ExactlyOne, two), std::nullopt);
}

} // namespace
} // namespace kelvane
