#include "platform/linux/LinuxScreensaverSetting.h"
#include "platform/linux/LinuxShell.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kelvane::platform {
namespace {

using test::ScopedEnv;

class LinuxSettingTest : public testing::Test
{
protected:
    test::TempDir config;
    ScopedEnv configHome{"XDG_CONFIG_HOME", config.path()};
};

TEST_F(LinuxSettingTest, WritesReadsAndClearsTheScreensaverLikeTheRegistryValue)
{
    LinuxScreensaverSetting setting;
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "") << "nothing set yet";
    const std::string path = "/home/u/Screen Savers/Zo\xC3\xAB's \"ribbons\".scr";
    setting.WriteActiveScreensaverPath(path);
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), path);
    EXPECT_EQ(config.read("kelvane/desktop.ini"), "[Control Panel\\Desktop]\r\nSCRNSAVE.EXE=" + path + "\r\n");

    setting.ClearActiveScreensaverPath();
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
    setting.ClearActiveScreensaverPath(); // clearing twice is fine
}

TEST_F(LinuxSettingTest, AnEmptyOrUnreadableSettingReadsAsNothingSet)
{
    LinuxScreensaverSetting setting;
    std::filesystem::create_directories(config.file("kelvane"));
    config.write("kelvane/desktop.ini", "");
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
    config.write("kelvane/desktop.ini", "[Control Panel\\Desktop]\nSCRNSAVE.EXE=\n");
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");

    std::filesystem::remove(config.file("kelvane/desktop.ini"));
    std::filesystem::create_directory(config.file("kelvane/desktop.ini")); // a folder where the file belongs
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
    setting.WriteActiveScreensaverPath("/x.scr"); // fails quietly
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
}

TEST_F(LinuxSettingTest, TheWindowsFolderIsTheWinePrefixs)
{
    LinuxScreensaverSetting setting;
    {
        ScopedEnv prefix("WINEPREFIX", "/opt/prefix");
        EXPECT_EQ(setting.WindowsFolder(), "/opt/prefix/drive_c/windows");
    }
    ScopedEnv prefix("WINEPREFIX", std::nullopt);
    ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(setting.WindowsFolder(), "/home/u/.wine/drive_c/windows");
}

TEST_F(LinuxSettingTest, TheAutostartEntryIsWrittenReadAndRemovedAlone)
{
    LinuxAutostartEntry autostart;
    EXPECT_EQ(autostart.ReadAutostart(), std::nullopt);
    std::filesystem::create_directories(config.file("autostart"));
    config.write("autostart/other.desktop", "[Desktop Entry]\nExec=other\n");

    autostart.EnableAutostart("/opt/My Apps/kelvane");
    EXPECT_EQ(config.read("autostart/kelvane.desktop"), "[Desktop Entry]\n"
                                                        "Type=Application\n"
                                                        "Name=Kelvane\n"
                                                        "Comment=Screensaver manager\n"
                                                        "Exec=\"/opt/My Apps/kelvane\"\n"
                                                        "Terminal=false\n"
                                                        "X-GNOME-Autostart-enabled=true\n");
    EXPECT_TRUE(autostart.ReadAutostart().has_value());

    autostart.DisableAutostart();
    EXPECT_EQ(autostart.ReadAutostart(), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(config.file("autostart/kelvane.desktop")));
    EXPECT_EQ(config.read("autostart/other.desktop"), "[Desktop Entry]\nExec=other\n");
}

TEST(DesktopExec, ArgumentsAreQuotedAndEscapedForTheEntry)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/kelvane", "/usr/bin/kelvane"},
        {"/opt/My Apps/kelvane", "\"/opt/My Apps/kelvane\""},
        {"/opt/100%/kelvane", "/opt/100%%/kelvane"},
        {"/opt/a\"b/k", "\"/opt/a\\\\\"b/k\""}, // \" inside quotes, its backslash doubled for the file
        {"/opt/$(x)`y`/k", "\"/opt/\\\\$(x)\\\\`y\\\\`/k\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
    };
    for (const auto& [argument, value] : cases) {
        EXPECT_EQ(DesktopExecArgument(argument), value) << argument;
    }
}

// A stand-in for wine, first on PATH, that writes each argument it gets, NUL-terminated, to a file.
class FakeWine : public testing::Test
{
protected:
    FakeWine()
    {
        std::filesystem::create_directories(bin.file("bin"));
        const std::string script = bin.file("bin/wine");
        std::ofstream(script) << "#!/bin/sh\n"
                                 "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$KELVANE_WINE_RECORD.part\"\n"
                                 "mv \"$KELVANE_WINE_RECORD.part\" \"$KELVANE_WINE_RECORD\"\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }

    std::vector<std::string> WaitForArguments()
    {
        QElapsedTimer timer;
        timer.start();
        while (!std::filesystem::exists(record) && timer.elapsed() < 10000) {
            QThread::msleep(10);
        }
        std::vector<std::string> arguments;
        if (!std::filesystem::exists(record)) {
            return arguments;
        }
        const std::string bytes = bin.read("record");
        std::filesystem::remove(record);
        for (size_t start = 0; start < bytes.size();) {
            const size_t end = bytes.find('\0', start);
            arguments.push_back(bytes.substr(start, end - start));
            start = end + 1;
        }
        return arguments;
    }

    test::TempDir bin;
    std::string record = bin.file("record");
    ScopedEnv recordEnv{"KELVANE_WINE_RECORD", record};
    ScopedEnv path{"PATH", bin.file("bin") + ":/usr/bin:/bin"};
};

TEST_F(FakeWine, AnAwkwardPathArrivesAsOneIntactAbsoluteArgument)
{
    const std::string awkward = "/tmp/dir with blanks/it's \"quoted\"; $(touch pwned) `id` \xC3\xA9t\xC3\xA9.SCR";
    LinuxShell shell;
    shell.RunScreensaverFile(awkward);
    EXPECT_EQ(WaitForArguments(), (std::vector<std::string>{awkward, "/s"}));
    shell.ConfigureScreensaverFile(awkward);
    EXPECT_EQ(WaitForArguments(), (std::vector<std::string>{awkward, "/c"}));
    // An imported line such as "-x.scr" would be an option to wine: it goes as a path below the current
    // folder.
    shell.RunScreensaverFile("-x.scr");
    EXPECT_EQ(WaitForArguments(),
              (std::vector<std::string>{std::filesystem::current_path().string() + "/-x.scr", "/s"}));
    EXPECT_FALSE(std::filesystem::exists(bin.file("pwned")));
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(ScreensaverCommand, WhatRunsEachKindOfFile)
{
    test::TempDir empty;
    ScopedEnv path("PATH", empty.path());
    EXPECT_TRUE(LinuxShell::ScreensaverCommand("/s/ribbons.scr", false).isEmpty()) << "no wine: nothing runs";
    EXPECT_EQ(LinuxShell::ScreensaverCommand("/usr/bin/glow", false), QStringList{QStringLiteral("/usr/bin/glow")});
    EXPECT_TRUE(LinuxShell::ScreensaverCommand("/usr/bin/glow", true).isEmpty());
    LinuxShell().RunScreensaverFile("/s/ribbons.scr"); // and nothing breaks
}

} // namespace
} // namespace kelvane::platform
