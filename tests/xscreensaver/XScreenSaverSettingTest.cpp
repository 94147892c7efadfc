#include "platform/xscreensaver/XScreenSaverSetting.h"

#include "support/StatusAssertions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace kelvane::platform {
namespace {

using test::Succeeded;

class FakeHacks final : public ScreensaverCatalogue
{
public:
    std::optional<std::string> LabelOf(std::string_view fileName) const override
    {
        static const std::map<std::string, std::string, std::less<>> labels = {
            {"deco", "Deco"}, {"galaxy", "Galaxy"}, {"swirl", "Swirl"}, {"superquadrics", "SuperQuadrics"}};
        const auto found = labels.find(fileName);
        return found == labels.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::string ProgramFolder() const override { return "/hacks"; }
};

// The system's defaults, as the app-defaults file writes them.
const std::string SystemDefaults = "! system defaults\n"
                                   "#error Do not run app-defaults files through xrdb!\n"
                                   "*mode:\t\t\trandom\n"
                                   "*timeout:\t\t0:10:00\n"
                                   "*Dialog.foreground:\t#000000\n"
                                   "*programs:\t\t\t\t\t\t\t\t      \\\n"
                                   "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                                   "- GL: \t\t\t\tgalaxy --root --speed 2\t\t\t    \\n\\\n"
                                   "\t\t\t\tdeco --root\t\t\t\t    \\n\n"
                                   "\n"
                                   "*hacks.deco.name:\tDeco\n";

// A user's file with comments, settings the program does not know, disabled and GL entries, a pretty
// name and an entry without the continuation after it.
const std::string UserFile = "# XScreenSaver Preferences File\n"
                             "timeout:\t0:05:00\n"
                             "mode:\t\trandom\n"
                             "selected:\t-1\n"
                             "! a comment the user wrote\n"
                             "programs:\t\t\t\t\t\t\t\t      \\\n"
                             "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                             "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
                             "-\t\t\t\tdeco --root --delay 3\t\t\t\t    \\n\\\n"
                             "  \"Pretty\" swirl --root \\n\n"
                             "dpmsEnabled:\tFalse\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class XScreenSaverSettingTest : public ::testing::Test
{
protected:
    XScreenSaverSettingTest()
    {
        dir.write("defaults", SystemDefaults);
        notices.SetListener([this](const std::string& text) { reported.push_back(text); });
    }

    XScreenSaverSetting MakeSetting()
    {
        return XScreenSaverSetting({dir.file(".xscreensaver"), dir.file("defaults"), "/hacks", winePrefix}, hacks,
                                   "/wine/windows", notices, [this] { return settingsOpen; });
    }

    test::TempDir dir;
    FakeHacks hacks;
    StatusNotices notices;
    std::vector<std::string> reported;
    bool settingsOpen = false;
    std::string winePrefix = "/home/u/.wine";
};

TEST_F(XScreenSaverSettingTest, SettingAScreensaverChangesOnlyTheModeTheSelectionAndTheList)
{
    const std::string chosen = "mode:\t\tone\n";
    struct Case
    {
        const char* name;
        std::string path;
        std::string expected;
        std::string readBack;
    };
    const Case cases[] = {
        {"a disabled entry is chosen where it stands, counted with the others", "/hacks/deco",
         Replaced(Replaced(UserFile, "mode:\t\trandom\n", chosen), "selected:\t-1\n", "selected:\t2\n"), "/hacks/deco"},
        {"a hack found in another folder runs by its name", "/usr/lib/other/swirl",
         Replaced(Replaced(UserFile, "mode:\t\trandom\n", chosen), "selected:\t-1\n", "selected:\t3\n"),
         "/hacks/swirl"},
        {"a missing hack goes after the last entry, with the system's arguments and visual", "/hacks/galaxy",
         Replaced(Replaced(Replaced(UserFile, "mode:\t\trandom\n", chosen), "selected:\t-1\n", "selected:\t4\n"),
                  "  \"Pretty\" swirl --root \\n\n",
                  "  \"Pretty\" swirl --root \\n\\\n\t\t\t\tGL: galaxy --root --speed 2\t\t\t\t    \\n\n"),
         "/hacks/galaxy"},
        {"a Windows screensaver runs through Wine, its path quoted for the shell without a backslash",
         "/home/u/It's here.scr",
         Replaced(Replaced(Replaced(UserFile, "mode:\t\trandom\n", chosen), "selected:\t-1\n", "selected:\t4\n"),
                  "  \"Pretty\" swirl --root \\n\n",
                  "  \"Pretty\" swirl --root \\n\\\n\t\t\t\twine '/home/u/It'\"'\"'s here.scr' /s\t\t\t\t    \\n\n"),
         "/home/u/It's here.scr"},
        {"a Windows path stays one for Wine, with slashes, and names the prefix it was found in",
         "C:\\Program Files\\It's here\\Saver.scr",
         Replaced(Replaced(Replaced(UserFile, "mode:\t\trandom\n", chosen), "selected:\t-1\n", "selected:\t4\n"),
                  "  \"Pretty\" swirl --root \\n\n",
                  "  \"Pretty\" swirl --root \\n\\\n\t\t\t\tenv WINEPREFIX='/home/u/.wine' wine 'C:/Program "
                  "Files/It'\"'\"'s here/Saver.scr' /s\t\t\t\t    \\n\n"),
         "C:\\Program Files\\It's here\\Saver.scr"},
        {"blank is XScreenSaver's own blank screen", "/wine/windows/System32/scrnsave.scr",
         Replaced(UserFile, "mode:\t\trandom\n", "mode:\t\tblank\n"), "/wine/windows/System32/scrnsave.scr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(".xscreensaver", UserFile);
        XScreenSaverSetting setting = MakeSetting();
        EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath(c.path)));
        EXPECT_EQ(dir.read(".xscreensaver"), c.expected);
        EXPECT_EQ(setting.ReadActiveScreensaverPath(), c.readBack);
        EXPECT_TRUE(reported.empty()) << reported.front();
    }
}

TEST_F(XScreenSaverSettingTest, WineEntriesOfEveryQuotingReadBackAndOlderOnesAreRequotedInPlace)
{
    // Older versions quoted a quote as '\'', which XScreenSaver's reader turns into ''' before the shell
    // sees it: the third entry ran "id" at the next activation.
    const std::string older = "mode:\t\tone\n"
                              "selected:\t0\n"
                              "programs:\t\\\n"
                              "\t\t\t\twine \"/s/by hand.scr\" /s\t\t\t\t    \\n\\\n"
                              "\t\t\t\twine '/s/It'\\''s here.scr' /s\t\t\t\t    \\n\\\n"
                              "- \"Mine\"\twine '/s/x'\\''$(cd;id>pwned)'\\''y.scr' /s \\n\\\n"
                              "\t\t\t\twine '/s/now'\"'\"'s.scr' /s\t\t\t\t    \\n\\\n"
                              "\t\t\t\twine /s/bare.scr /s\t\t\t\t    \\n\n";
    const char* const paths[] = {"/s/by hand.scr", "/s/It's here.scr", "/s/x'$(cd;id>pwned)'y.scr", "/s/now's.scr",
                                 "/s/bare.scr"};
    for (size_t i = 0; i < std::size(paths); ++i) {
        dir.write(".xscreensaver", Replaced(older, "selected:\t0\n", "selected:\t" + std::to_string(i) + "\n"));
        EXPECT_EQ(MakeSetting().ReadActiveScreensaverPath(), paths[i]);
    }

    // Choosing one of them again picks it where it stands; the save writes both older ones the way the
    // shell reads them as meant, and leaves the rest of their lines and the other entries as they were.
    dir.write(".xscreensaver", older);
    XScreenSaverSetting setting = MakeSetting();
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath("/s/It's here.scr")));
    std::string expected = Replaced(older, "selected:\t0\n", "selected:\t1\n");
    expected = Replaced(expected, "'/s/It'\\''s here.scr'", "'/s/It'\"'\"'s here.scr'");
    expected = Replaced(expected, "'/s/x'\\''$(cd;id>pwned)'\\''y.scr'", "'/s/x'\"'\"'$(cd;id>pwned)'\"'\"'y.scr'");
    EXPECT_EQ(dir.read(".xscreensaver"), expected);
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "/s/It's here.scr");
    EXPECT_TRUE(reported.empty()) << reported.front();
}

// A Windows path is the same file for Wine with either separator and in any letter case, but only in
// the same prefix.
TEST_F(XScreenSaverSettingTest, AWindowsPathIsChosenAgainWhereItStandsWhileItsPrefixIsTheSame)
{
    const std::string entry = "env WINEPREFIX='/home/u/.wine' wine 'C:/Windows/System32/ribbons.scr' /s";
    dir.write(".xscreensaver", "mode: off\nprograms: deco --root \\n\\\n  " + entry + " \\n\n");
    XScreenSaverSetting setting = MakeSetting();
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath("c:/windows/system32/RIBBONS.SCR")));
    EXPECT_EQ(dir.read(".xscreensaver"),
              "mode: one\nselected:\t\t1\nprograms: deco --root \\n\\\n  " + entry + " \\n\n");
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "C:\\Windows\\System32\\ribbons.scr") << "as the entry has it";
    EXPECT_EQ(setting.DaemonListNumber("C:\\WINDOWS\\System32\\Ribbons.scr"), 2u);

    winePrefix = "/home/u/other prefix";
    XScreenSaverSetting elsewhere = MakeSetting();
    EXPECT_EQ(elsewhere.DaemonListNumber("C:\\Windows\\System32\\ribbons.scr"), std::nullopt);
    EXPECT_TRUE(Succeeded(elsewhere.WriteActiveScreensaverPath("C:\\Windows\\System32\\ribbons.scr")));
    EXPECT_EQ(dir.read(".xscreensaver"),
              "mode: one\nselected:\t\t2\nprograms: deco --root \\n\\\n  " + entry +
                  " \\n\\\n\t\t\t\tenv WINEPREFIX='/home/u/other prefix' wine 'C:/Windows/System32/ribbons.scr' "
                  "/s\t\t\t\t    \\n\n");
    EXPECT_TRUE(reported.empty()) << reported.front();

    // An entry written by hand, without a prefix, reads back as its Windows path too.
    dir.write(".xscreensaver", "mode: one\nselected: 0\nprograms: wine d:/Games/x.scr /s \\n\n");
    EXPECT_EQ(MakeSetting().ReadActiveScreensaverPath(), "d:\\Games\\x.scr");
    EXPECT_TRUE(reported.empty()) << reported.front();
}

TEST_F(XScreenSaverSettingTest, NoneTurnsTheDaemonOffAndAMissingFileIsMadeFromTheSystemDefaults)
{
    XScreenSaverSetting setting = MakeSetting();
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), ""); // the system's "random" shows no one screensaver
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath("/hacks/deco")));
    EXPECT_EQ(dir.read(".xscreensaver"), "# XScreenSaver Preferences File\n"
                                         "# Made by Kelvane from the system's defaults.\n"
                                         "\n"
                                         "mode:\t\t\tone\n"
                                         "timeout:\t\t0:10:00\n"
                                         "selected:\t\t2\n"
                                         "programs:\t\t\t\t\t\t\t\t      \\\n"
                                         "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                                         "- GL: \t\t\t\tgalaxy --root --speed 2\t\t\t    \\n\\\n"
                                         "\t\t\t\tdeco --root\t\t\t\t    \\n\n");
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "/hacks/deco");
    EXPECT_EQ(setting.DaemonListNumber("/hacks/deco"), 3u);

    EXPECT_TRUE(Succeeded(setting.ClearActiveScreensaverPath()));
    EXPECT_NE(dir.read(".xscreensaver").find("mode:\t\t\toff\n"), std::string::npos);
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
}

TEST_F(XScreenSaverSettingTest, TheDaemonCountsTheUsersEntriesFirstThenTheSystemsItLacks)
{
    dir.write(".xscreensaver", "programs: deco --root \\n\\\n  swirl --root \\n\n");
    XScreenSaverSetting setting = MakeSetting();
    EXPECT_EQ(setting.DaemonListNumber("/hacks/swirl"), 2u);
    EXPECT_EQ(setting.DaemonListNumber("/hacks/maze"), 3u);
    EXPECT_EQ(setting.DaemonListNumber("/hacks/galaxy"), 4u);
    EXPECT_EQ(setting.DaemonListNumber("/hacks/unknown"), std::nullopt);
}

TEST_F(XScreenSaverSettingTest, AFileThatCannotBeUnderstoodIsReportedAndNeverWrittenOver)
{
    struct Case
    {
        const char* name;
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {"a line that is no setting", "mode: one\nthis is not a setting\n", "line 2 is not a setting"},
        {"a NUL byte", std::string("mode: one\n\0\n", 12), "NUL byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        dir.write(".xscreensaver", c.file);
        XScreenSaverSetting setting = MakeSetting();
        const Status written = setting.WriteActiveScreensaverPath("/hacks/deco");
        const Status cleared = setting.ClearActiveScreensaverPath();
        EXPECT_EQ(dir.read(".xscreensaver"), c.file);
        EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
        ASSERT_EQ(reported.size(), 1u) << "the read's; each write says it itself";
        for (const std::string& text : {written.message(), cleared.message(), reported.front()}) {
            EXPECT_NE(text.find(c.message), std::string::npos) << text;
            EXPECT_NE(text.find("leaves it as it is"), std::string::npos) << text;
        }
    }
}

TEST_F(XScreenSaverSettingTest, WhatCannotBeReadOrSetIsReportedWithoutAWrite)
{
    struct Case
    {
        const char* name;
        std::string file;
        std::string path; // empty: only read
        std::string message;
        std::string readBack;
        std::string prefix = "/home/u/.wine";
    };
    const Case cases[] = {
        {"a selection past the end", "mode: one\nselected: 7\nprograms: deco --root \\n\n", "",
         "\"selected:\" setting (7) is past the end", ""},
        {"a selection that is no number", "mode: one\nselected: two\nprograms: deco --root \\n\n", "",
         "(\"two\") is not a number", ""},
        {"a chosen hack that is not installed", "mode: one\nselected: 0\nprograms: maze --root \\n\n", "",
         "\"maze\" is not installed", "/hacks/maze"},
        {"a file that is no screensaver", "mode: off\n", "/usr/bin/bash", "neither an XScreenSaver hack", ""},
        {"a relative Windows screensaver", "mode: off\n", "saver.scr", "not a full path", ""},
        {"a line break in a name", "mode: off\n", "/home/u/a\nb.scr", "control character", ""},
        {"a backslash, which the file's reader would take out", "mode: off\n", "/home/u/a\\nb.scr", "backslash", ""},
        {"a line break in a Windows path", "mode: off\n", "C:\\a\nb.scr", "control character", ""},
        {"a Windows path on a prefix with a backslash", "mode: off\n", "C:\\a.scr", "Wine prefix", "", "/home/u/a\\nb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        winePrefix = c.prefix;
        dir.write(".xscreensaver", c.file);
        XScreenSaverSetting setting = MakeSetting();
        std::string told;
        if (!c.path.empty()) {
            const Status written = setting.WriteActiveScreensaverPath(c.path);
            EXPECT_FALSE(written.ok());
            told = written.message();
            EXPECT_EQ(dir.read(".xscreensaver"), c.file);
            EXPECT_TRUE(reported.empty()) << reported.front();
        } else {
            EXPECT_EQ(setting.ReadActiveScreensaverPath(), c.readBack);
            ASSERT_EQ(reported.size(), 1u);
            told = reported.front();
        }
        EXPECT_NE(told.find(c.message), std::string::npos) << told;
    }
}

TEST_F(XScreenSaverSettingTest, NothingIsWrittenWhileXScreenSaversOwnSettingsWindowIsOpen)
{
    dir.write(".xscreensaver", UserFile);
    settingsOpen = true;
    const Status written = MakeSetting().WriteActiveScreensaverPath("/hacks/deco");
    EXPECT_EQ(dir.read(".xscreensaver"), UserFile);
    EXPECT_NE(written.message().find("settings window is open"), std::string::npos) << written.message();
    EXPECT_TRUE(reported.empty()) << reported.front();
}

TEST_F(XScreenSaverSettingTest, AnotherProgramsSaveBetweenTheReadAndTheReplaceIsKept)
{
    // The other program's save: a setting of its own, and a note that tells its saves apart.
    const auto theirs = [](int save) {
        return Replaced(UserFile, "timeout:\t0:05:00\n", "timeout:\t0:20:00\n") + "! their save " +
               std::to_string(save) + "\n";
    };
    const std::string both =
        Replaced(Replaced(theirs(1), "mode:\t\trandom\n", "mode:\t\tone\n"), "selected:\t-1\n", "selected:\t2\n");
    struct Case
    {
        const char* name;
        std::optional<std::string> before; // the file when Kelvane reads it; nothing: there is none
        int theirSaves;                    // how many of Kelvane's saves the other program's save meets
        std::string expected;
        const char* failure;
    };
    const Case cases[] = {
        {"a save while Kelvane's new content waits beside the file", UserFile, 1, both, nullptr},
        {"the file made while Kelvane makes it from the system's defaults", std::nullopt, 1, both, nullptr},
        {"a program that saves every time", UserFile, 100, theirs(5), "kept changing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reported.clear();
        std::filesystem::remove(dir.file(".xscreensaver"));
        if (c.before) {
            dir.write(".xscreensaver", *c.before);
        }
        int saves = 0;
        const FileWriter meetingAnotherSave = [&](const std::string& path, const std::string& bytes,
                                                  const BeforeReplace& beforeReplace) {
            return WriteFileAtomically(path, bytes, [&] {
                if (saves < c.theirSaves) {
                    dir.write(".xscreensaver", theirs(++saves));
                }
                return beforeReplace();
            });
        };
        XScreenSaverSetting setting({dir.file(".xscreensaver"), dir.file("defaults"), "/hacks"}, hacks, "/wine/windows",
                                    notices, {}, meetingAnotherSave);
        const Status written = setting.WriteActiveScreensaverPath("/hacks/deco");
        EXPECT_EQ(dir.read(".xscreensaver"), c.expected);
        if (c.failure) {
            EXPECT_NE(written.message().find(c.failure), std::string::npos) << written.message();
        } else {
            EXPECT_TRUE(Succeeded(written));
        }
        EXPECT_TRUE(reported.empty()) << reported.front();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary file";
    }
}

TEST_F(XScreenSaverSettingTest, AFileWithCarriageReturnsIsWrittenBackWithLineFeedsAlone)
{
    dir.write(".xscreensaver", "mode:\toff\r\nprograms:\t\\\r\n  deco --root \\n\\\r\n  swirl --root \\n\r\n");
    EXPECT_TRUE(Succeeded(MakeSetting().WriteActiveScreensaverPath("/hacks/swirl")));
    EXPECT_EQ(dir.read(".xscreensaver"),
              "mode:\tone\nselected:\t\t1\nprograms:\t\\\n  deco --root \\n\\\n  swirl --root \\n\n");
}

TEST_F(XScreenSaverSettingTest, EachChangeGetsAModificationTimeInANewSecond)
{
    // The daemon compares whole seconds: two changes within one second must still look different.
    dir.write(".xscreensaver", UserFile);
    XScreenSaverSetting setting = MakeSetting();
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath("/hacks/deco")));
    const auto first = std::filesystem::last_write_time(dir.file(".xscreensaver"));
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath("/hacks/swirl")));
    const auto second = std::filesystem::last_write_time(dir.file(".xscreensaver"));
    EXPECT_GT(std::chrono::floor<std::chrono::seconds>(second), std::chrono::floor<std::chrono::seconds>(first));
}

} // namespace
} // namespace kelvane::platform
