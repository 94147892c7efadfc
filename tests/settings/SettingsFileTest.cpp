#include "settings/SettingsFile.h"

#include "settings/fileFunc.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

class SettingsFileTest : public testing::Test
{
protected:
    test::TempDir dir;
    std::string file = SettingsFileName(dir.path() + "/");
    static constexpr ScreenSize kScreen{1920, 1080};
};

TEST_F(SettingsFileTest, FirstStartWithoutAFile)
{
    const WindowSettings window = ReadWindowSettings(ReadIniValues(file), kScreen);
    EXPECT_EQ(window.Flags, StartupFlags{});
    EXPECT_EQ(window.Rect, (WindowRect{448, 150, 1024, 780})) << "centred on the primary screen";
    EXPECT_EQ(window.State, WindowState::Normal);

    const ProgramSettings settings = ReadProgramSettings(ReadIniValues(file), RotationAction::ActivateOnly);
    EXPECT_EQ(settings, ProgramSettings{});
    EXPECT_TRUE(settings.SwitchEnabled);
    EXPECT_EQ(settings.Interval, 3600);
    EXPECT_FALSE(settings.LogIsOn);
    EXPECT_TRUE(settings.UpdatesNotify);
    EXPECT_EQ(settings.Skin, "Windows");
    EXPECT_EQ(EventTimerPeriodMs(settings.ToleranceSeconds), 5000);
}

TEST_F(SettingsFileTest, CentringUsesTheStoredSizeAndTruncatesTowardZero)
{
    dir.write("settings.ini", "[PosSave]\r\nWidth=1001\r\nHeight=2001\r\n");
    const WindowSettings window = ReadWindowSettings(ReadIniValues(file), kScreen);
    EXPECT_EQ(window.Rect, (WindowRect{459, -460, 1001, 2001}));
}

TEST_F(SettingsFileTest, StartFlagsDecideTheWindowState)
{
    const struct
    {
        const char* settings;
        WindowState state;
    } cases[] = {
        {"StartMax=1\r\nStartMin=1", WindowState::Maximized},
        {"StartMin=1", WindowState::Minimized},
        {"StartMin=0", WindowState::Normal},
    };
    for (const auto& c : cases) {
        dir.write("settings.ini", std::string("[Settings]\r\n") + c.settings + "\r\n[PosSave]\r\nWindowState=0\r\n");
        EXPECT_EQ(ReadWindowSettings(ReadIniValues(file), kScreen).State, c.state) << c.settings;
    }
    const struct
    {
        const char* stored;
        WindowState state;
    } storedStates[] = {{"1", WindowState::Minimized}, {"2", WindowState::Maximized}, {"7", WindowState::Normal}};
    for (const auto& c : storedStates) {
        dir.write("settings.ini", std::string("[PosSave]\r\nWindowState=") + c.stored + "\r\n");
        EXPECT_EQ(ReadWindowSettings(ReadIniValues(file), kScreen).State, c.state) << c.stored;
    }
}

TEST_F(SettingsFileTest, StoredValuesAreBroughtIntoTheirControlsRanges)
{
    const struct
    {
        const char* line;
        int32_t tolerance;
        int32_t interval;
        RotationAction action;
    } cases[] = {
        {"EventTimerTolerance=2", 2, 3600, RotationAction::ActivateOnly},
        {"EventTimerTolerance=0", 1, 3600, RotationAction::ActivateOnly},
        {"EventTimerTolerance=100000", 300, 3600, RotationAction::ActivateOnly},
        {"Interval=0x10", 20, 16, RotationAction::ActivateOnly},
        {"Interval=5", 20, 10, RotationAction::ActivateOnly},
        {"Interval=2147483647", 20, 2147483, RotationAction::ActivateOnly},
        {"Action=0", 20, 3600, RotationAction::Run},
        {"Action=9", 20, 3600, RotationAction::ActivateOnly},
    };
    for (const auto& c : cases) {
        dir.write("settings.ini", std::string("[Settings]\r\n") + c.line + "\r\n");
        const ProgramSettings s = ReadProgramSettings(ReadIniValues(file), RotationAction::ActivateOnly);
        EXPECT_EQ(s.ToleranceSeconds, c.tolerance) << c.line;
        EXPECT_EQ(s.Interval, c.interval) << c.line;
        EXPECT_EQ(s.Action, c.action) << c.line;
    }
}

TEST(EventTimerPeriod, FourTicksPerToleranceButAtMostOneASecond)
{
    const std::pair<int32_t, int32_t> cases[] = {{1, 1000}, {2, 1000}, {4, 1000}, {5, 1250}, {20, 5000}, {300, 75000}};
    for (const auto& [tolerance, period] : cases) {
        EXPECT_EQ(EventTimerPeriodMs(tolerance), period) << tolerance;
    }
}

TEST_F(SettingsFileTest, EverythingWrittenReadsBackAndUnknownKeysStay)
{
    dir.write("settings.ini", "[Settings]\r\nFutureOption=yes\r\n[Elsewhere]\r\nA=1\r\n");
    const StartupFlags flags{true, false, true, true};
    ProgramSettings settings;
    settings.MaxLogLines = 50;
    settings.EventTimerEnabled = false;
    settings.EventTimerInterval = 1;
    settings.ToleranceSeconds = 300;
    settings.Interval = 2147483;
    settings.Action = RotationAction::Run;
    settings.SwitchEnabled = false;
    settings.LogIsOn = true;
    settings.SaveLog = true;
    settings.UpdatesNotify = false;
    settings.Skin = "Windows10 Dark";
    ASSERT_TRUE(WriteProgramSettings(file, flags, settings).ok());
    const WindowRect rect{-5, 7, 800, 600};
    ASSERT_TRUE(WriteWindowPlacement(file, WindowState::Maximized, rect).ok());

    EXPECT_EQ(ReadProgramSettings(ReadIniValues(file), RotationAction::ActivateOnly), settings);
    const WindowSettings window = ReadWindowSettings(ReadIniValues(file), kScreen);
    EXPECT_EQ(window.Flags, flags);
    EXPECT_EQ(window.Rect, rect);
    EXPECT_EQ(ReadWindowRect(ReadIniValues(file), {}), rect);
    EXPECT_EQ(ReadIniString(file, "Settings", "FutureOption", ""), "yes");
    EXPECT_EQ(ReadIniString(file, "Elsewhere", "A", ""), "1");
    EXPECT_EQ(ReadIniString(file, "Settings", "Startup", ""), "1") << "booleans are stored as 1 and 0";
}

// One edit gives the very bytes that one write per key gives: the same lines kept, replaced and added.
TEST_F(SettingsFileTest, OneEditWritesWhatSingleWritesWouldHave)
{
    const std::string before = "; a comment\r\n[settings]\r\nINTERVAL=5\r\nInterval=6\r\nFuture=yes\r\n"
                               "[PosSave]\r\nLeft=1\r\n[Other]\r\nA=1\r\n";
    ProgramSettings settings;
    settings.Interval = 120;
    settings.Skin = "Luna";
    const StartupFlags flags{false, true, false, true};
    const WindowRect rect{10, 20, 640, 480};
    const std::vector<int32_t> widths{48, 80, 159};

    dir.write("settings.ini", before);
    IniFileEdit edit(file);
    PutProgramSettings(edit, flags, settings);
    PutColumnWidths(edit, false, widths);
    PutWindowPlacement(edit, WindowState::Normal, rect);
    ASSERT_TRUE(edit.Commit().ok());
    const std::string together = dir.read("settings.ini");

    dir.write("settings.ini", before);
    ASSERT_TRUE(WriteStartupFlags(file, flags).ok());
    for (const auto& [key, value] :
         std::initializer_list<std::pair<const char*, std::string>>{{"Interval", "120"},
                                                                    {"SwitchEnabled", "1"},
                                                                    {"Action", "1"},
                                                                    {"LogIsOn", "0"},
                                                                    {"SaveLog", "0"},
                                                                    {"UpdatesNotify", "1"},
                                                                    {"MaxLogLines", "1000"},
                                                                    {"EventTimerEnabled", "1"},
                                                                    {"EventTimerInterval", "20000"},
                                                                    {"EventTimerTolerance", "20"},
                                                                    {"Skin", "Luna"}}) {
        ASSERT_TRUE(WriteIniString(file, "Settings", key, value).ok());
    }
    for (size_t i = 0; i < widths.size(); ++i) {
        ASSERT_TRUE(WriteIniInteger(file, "NormalColumnWidths", "Column" + std::to_string(i), widths[i]).ok());
    }
    ASSERT_TRUE(WriteWindowPlacement(file, WindowState::Normal, rect).ok());
    EXPECT_EQ(together, dir.read("settings.ini"));
    EXPECT_NE(together.find("INTERVAL=120\r\nInterval=6\r\n"), std::string::npos) << "the first match wins";
    EXPECT_NE(together.find("Future=yes"), std::string::npos) << "unknown keys stay";
}

TEST_F(SettingsFileTest, ColumnWidthsKeepOneSetPerWindowState)
{
    const std::vector<int32_t> current{100, 100, 100};
    EXPECT_EQ(ReadColumnWidths(ReadIniValues(file), false, current), current);
    ASSERT_TRUE(WriteColumnWidths(file, false, {150, 80, 60}).ok());
    ASSERT_TRUE(WriteColumnWidths(file, true, {300, 160}).ok());
    EXPECT_EQ(ReadColumnWidths(ReadIniValues(file), false, current), (std::vector<int32_t>{150, 80, 60}));
    EXPECT_EQ(ReadColumnWidths(ReadIniValues(file), true, current), (std::vector<int32_t>{300, 160, 100}));
    EXPECT_EQ(ReadIniInteger(file, "MaximizedColumnWidths", "Column1", 0), 160);
}

TEST_F(SettingsFileTest, ARefusedWriteSaysWhichFile)
{
    const std::string unreachable = dir.path() + "/missing/settings.ini";
    const Status status = WriteProgramSettings(unreachable, {}, {});
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "Unable to write to " + unreachable);
}

TEST(StartOptions, MinimisedAndMaximisedExcludeEachOther)
{
    StartupFlags flags;
    ToggleStartMinimized(flags);
    EXPECT_TRUE(flags.StartMin);
    ToggleStartMaximized(flags);
    EXPECT_TRUE(flags.StartMax);
    EXPECT_FALSE(flags.StartMin) << "choosing maximised unchecks minimised";
    ToggleStartMaximized(flags);
    EXPECT_FALSE(flags.StartMax);
    EXPECT_FALSE(flags.StartMin);
    flags.StartMin = flags.StartMax = true; // both stored: each toggle only flips its own
    ToggleStartMinimized(flags);
    EXPECT_EQ(flags, (StartupFlags{false, false, true, false}));
}

TEST(WindowStateTraceText, NamesStateAndGeometry)
{
    EXPECT_EQ(WindowStateTrace("Loading settings", WindowState::Maximized, {1, -2, 3, 4}),
              "Loading settings: WindowState=2, Left=1, Top=-2, Width=3, Height=4");
}

} // namespace
} // namespace kelvane
