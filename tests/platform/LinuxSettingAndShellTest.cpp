#include "platform/linux/LinuxScreensaverSetting.h"
#include "platform/linux/LinuxShell.h"
#include "platform/linux/WineDrive.h"
#include "support/ScopedEnv.h"
#include "support/StatusAssertions.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kelvane::platform {
namespace {

using test::ScopedEnv;
using test::Succeeded;

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
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath(path)));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), path);
    EXPECT_EQ(config.read("kelvane/desktop.ini"), "[Control Panel\\Desktop]\r\nSCRNSAVE.EXE=" + path + "\r\n");

    EXPECT_TRUE(Succeeded(setting.ClearActiveScreensaverPath()));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
    EXPECT_TRUE(Succeeded(setting.ClearActiveScreensaverPath())) << "clearing twice is fine";
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
    const Status written = setting.WriteActiveScreensaverPath("/x.scr");
    EXPECT_NE(written.message().find("could not be saved"), std::string::npos) << written.message();
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

    EXPECT_TRUE(Succeeded(autostart.EnableAutostart("/opt/My Apps/kelvane")));
    EXPECT_EQ(config.read("autostart/kelvane.desktop"), "[Desktop Entry]\n"
                                                        "Type=Application\n"
                                                        "Name=Kelvane\n"
                                                        "Comment=Screensaver manager\n"
                                                        "Exec=\"/opt/My Apps/kelvane\"\n"
                                                        "Terminal=false\n"
                                                        "X-GNOME-Autostart-enabled=true\n");
    EXPECT_TRUE(autostart.ReadAutostart().has_value());

    EXPECT_TRUE(Succeeded(autostart.DisableAutostart()));
    EXPECT_EQ(autostart.ReadAutostart(), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(config.file("autostart/kelvane.desktop")));
    EXPECT_EQ(config.read("autostart/other.desktop"), "[Desktop Entry]\nExec=other\n");
    EXPECT_TRUE(Succeeded(autostart.DisableAutostart())) << "no entry is no failure";

    // A folder in the entry's place can be neither replaced nor removed: each says so.
    std::filesystem::create_directories(config.file("autostart/kelvane.desktop/inside"));
    const Status written = autostart.EnableAutostart("/opt/kelvane");
    EXPECT_NE(written.message().find("could not be saved"), std::string::npos) << written.message();
    const Status removed = autostart.DisableAutostart();
    EXPECT_NE(removed.message().find("could not be removed"), std::string::npos) << removed.message();
    EXPECT_TRUE(std::filesystem::exists(config.file("autostart/kelvane.desktop/inside")));
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
        {"/opt/tab\there\r", "\"/opt/tab\\there\\r\""}, // escaped for the file, which may not hold them raw
    };
    for (const auto& [argument, value] : cases) {
        EXPECT_EQ(DesktopExecArgument(argument), value) << argument;
    }
}

// The output of a program that the test waits for; empty when it is not installed.
struct Ran
{
    bool installed = false;
    int code = -1;
    QString output;
};

Ran RunTool(const char* tool, const QStringList& arguments, const std::string& folder)
{
    const QString program = QStandardPaths::findExecutable(QString::fromUtf8(tool));
    if (program.isEmpty()) {
        return {};
    }
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(20000);
    return {true, process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

// Folder names that a shell, or a careless reader of desktop entries, would take for more than a name;
// each holds a stand-in for the program, so the entry's path is as awkward as its folder.
TEST_F(LinuxSettingTest, HostileProgramPathsReachTheProgramWholeThroughTheDesktopsReader)
{
    const std::string names[] = {
        "with blanks",     "it's \"quoted\"",         "$(touch pwned)",       "`touch pwned`",
        "a;touch pwned;b", "a|touch pwned|b",         "a&touch pwned&b",      "<in>out ~ * ? # (x) =",
        "-leading dash",   "Zo\xC3\xAB \xE2\x98\x83", "back\\slash\\\\$HOME", "tab\there, line\nbreak, cr\rhere",
    };
    test::TempDir programs;
    const std::string record = programs.file("record");
    ScopedEnv recordEnv("KELVANE_EXEC_RECORD", record);
    LinuxAutostartEntry autostart;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string program = programs.file(name + "/" + name);
        std::filesystem::create_directories(programs.file(name));
        std::ofstream(program) << "#!/bin/sh\n"
                                  "printf '%s\\0' \"$0\" \"$@\" > \"$KELVANE_EXEC_RECORD.part\"\n"
                                  "mv \"$KELVANE_EXEC_RECORD.part\" \"$KELVANE_EXEC_RECORD\"\n";
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        ASSERT_TRUE(Succeeded(autostart.EnableAutostart(program)));
        const std::string entry = LinuxAutostartEntry::EntryFileName();
        ASSERT_TRUE(std::filesystem::exists(entry));

        if (const Ran valid = RunTool("desktop-file-validate", {QString::fromStdString(entry)}, programs.path());
            valid.installed) {
            EXPECT_EQ(valid.code, 0);
            EXPECT_TRUE(valid.output.isEmpty()) << valid.output.toStdString();
        }
        // GLib's reader, as a GNOME session starts the entry: the program gets its own path and nothing else.
        std::filesystem::remove(record);
        if (const Ran launch =
                RunTool("gio", {QStringLiteral("launch"), QString::fromStdString(entry)}, programs.path());
            launch.installed) {
            EXPECT_EQ(launch.code, 0) << launch.output.toStdString() << config.read("autostart/kelvane.desktop");
            QElapsedTimer timer;
            timer.start();
            while (!std::filesystem::exists(record) && timer.elapsed() < 10000) {
                QThread::msleep(10);
            }
            EXPECT_EQ(programs.read("record"), program + '\0');
        }
        EXPECT_FALSE(std::filesystem::exists(programs.file("pwned")));
    }
}

TEST_F(LinuxSettingTest, AProgramPathTheEntryCannotCarryIsRefusedWithItsReason)
{
    struct Case
    {
        const char* name;
        std::string program;
        const char* reason;
    };
    const Case cases[] = {
        {"a relative path would be looked up on the search path", "bin/kelvane", "not a full path"},
        {"GLib looks the program up before it reads %% as %", "/opt/100%/kelvane", "\"%\""},
        {"a control character without an escape", "/opt/bell\x07/kelvane", "control character"},
        {"a name that is not UTF-8", "/opt/caf\xE9/kelvane", "not UTF-8"},
    };
    LinuxAutostartEntry autostart;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Status written = autostart.EnableAutostart(c.program);
        EXPECT_FALSE(std::filesystem::exists(LinuxAutostartEntry::EntryFileName()));
        EXPECT_NE(written.message().find(c.reason), std::string::npos) << written.message();
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

TEST_F(FakeWine, AWindowsPathRunsTheFileOnThePrefixsDrive)
{
    test::TempDir prefix;
    ScopedEnv winePrefix("WINEPREFIX", prefix.path());
    std::filesystem::create_directories(prefix.file("drive_c/windows/system32"));
    prefix.write("drive_c/windows/system32/ribbons.scr", "");
    LinuxShell shell;
    shell.RunScreensaverFile("C:\\Windows\\System32\\ribbons.scr");
    EXPECT_EQ(WaitForArguments(),
              (std::vector<std::string>{prefix.file("drive_c/windows/system32/ribbons.scr"), "/s"}));
}

TEST(ScreensaverCommand, ANameThatIsNotUtf8IsRefusedWithANotice)
{
    const std::string latin1 = "/tmp/caf\xE9.scr";
    EXPECT_TRUE(LinuxShell::ScreensaverCommand(latin1, false).isEmpty())
        << "Qt's arguments are Unicode text: the name would reach wine changed";
    StatusNotices notices;
    std::vector<std::string> reported;
    notices.SetListener([&](const std::string& text) { reported.push_back(text); });
    LinuxShell shell(nullptr, &notices);
    shell.RunScreensaverFile(latin1);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].rfind(latin1 + " cannot be started", 0), 0u) << reported[0];
}

// A Wine prefix as Wine lays it out: drive C in drive_c, the other drives as links in dosdevices.
class WinePrefixTest : public testing::Test
{
protected:
    WinePrefixTest()
    {
        std::filesystem::create_directories(root.file("prefix/drive_c/windows/system32"));
        std::filesystem::create_directories(root.file("prefix/dosdevices"));
        std::filesystem::create_directories(root.file("games"));
        root.write("prefix/drive_c/windows/system32/ribbons.scr", "");
        root.write("games/Saver.SCR", "");
        std::filesystem::create_directory_symlink("../drive_c", root.file("prefix/dosdevices/c:"));
        std::filesystem::create_directory_symlink(root.file("games"), root.file("prefix/dosdevices/d:"));
    }

    test::TempDir root;
    const std::string prefix = root.file("prefix");
    ScopedEnv winePrefix{"WINEPREFIX", prefix};
};

TEST_F(WinePrefixTest, ADriveLetterPathNamesAFileInThePrefixNeverBelowTheWorkingFolder)
{
    const std::string ribbons = prefix + "/drive_c/windows/system32/ribbons.scr";
    const struct
    {
        const char* path;
        std::string file;
        bool exists;
    } cases[] = {
        {"C:\\Windows\\System32\\ribbons.scr", ribbons, true}, // the example event's, in Wine's own case
        {"c:/WINDOWS/system32/RIBBONS.SCR", ribbons, true},
        {"C:\\Windows\\..\\..\\..\\windows\\.\\system32\\\\ribbons.scr", ribbons, true}, // never above the root
        {"C:\\Windows\\System32\\bubbles.scr", prefix + "/drive_c/windows/system32/bubbles.scr", false},
        {"D:\\saver.scr", prefix + "/dosdevices/d:/Saver.SCR", true},
        {"e:\\saver.scr", prefix + "/dosdevices/e:/saver.scr", false}, // no such drive
        {"/home/u/glow.scr", "/home/u/glow.scr", false},
    };
    // A file of the literal name in the working folder must not count.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::create_directories(root.file("work"));
    root.write("work/C:\\Windows\\System32\\bubbles.scr", "");
    std::filesystem::current_path(root.file("work"));
    LinuxShell shell;
    for (const auto& c : cases) {
        EXPECT_EQ(LocalScreensaverFile(c.path), c.file) << c.path;
        EXPECT_EQ(shell.ScreensaverFileExists(c.path), c.exists) << c.path;
    }
    std::filesystem::current_path(before);

    ScopedEnv noPrefix("WINEPREFIX", std::nullopt);
    ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(LocalScreensaverFile("C:\\x.scr"), "/home/u/.wine/drive_c/x.scr") << "the default prefix";
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
