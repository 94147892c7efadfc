// What the shell says when it cannot open what was asked for, in a stand-in desktop: a search path
// with no Wine, no file manager and no program that opens folders, and no session bus.
#include "platform/linux/LinuxShell.h"
#include "platform/linux/XScreenSaverBackend.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kelvane::platform {
namespace {

using test::ScopedEnv;

class ShellReports : public testing::Test
{
protected:
    ShellReports()
    {
        for (const char* folder : {"bin", "no-settings", "hacks", "config"}) {
            std::filesystem::create_directory(dir.file(folder));
        }
        // XScreenSaver's settings window, as far as the test needs it: it notes that it was started.
        std::ofstream(dir.file("bin/xscreensaver-settings")) << "#!/bin/sh\n: > \"$KELVANE_SETTINGS_OPENED\"\n";
        std::ofstream(dir.file("hacks/deco")) << "#!/bin/sh\n";
        for (const char* program : {"bin/xscreensaver-settings", "hacks/deco"}) {
            std::filesystem::permissions(dir.file(program), std::filesystem::perms::owner_all);
        }
        std::ofstream(dir.file("config/deco.xml")) << "<screensaver name=\"deco\" _label=\"Deco\">\n";
        notices.SetListener([this](const std::string& text) { told.push_back(text); });
    }

    // The notice that arrives next, on the event loop; empty when none comes.
    std::string NextNotice()
    {
        QElapsedTimer timer;
        timer.start();
        while (told.empty() && timer.elapsed() < 10000) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        const std::string text = told.empty() ? std::string() : told.front();
        told.clear();
        return text;
    }

    test::TempDir dir;
    ScopedEnv path{"PATH", dir.file("bin")};
    ScopedEnv bus{"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.file("no-bus")};
    ScopedEnv opened{"KELVANE_SETTINGS_OPENED", dir.file("settings-opened")};
    StatusNotices notices;
    std::vector<std::string> told;
    std::shared_ptr<XScreenSaverBackend> backend = std::make_shared<XScreenSaverBackend>(
        XScreenSaverPlaces{dir.file(".xscreensaver"), dir.file("no-defaults"), dir.file("hacks")},
        std::make_shared<XScreenSaverHacks>(dir.file("hacks"), dir.file("config")), "/nowhere/windows", notices, true);
    LinuxShell shell{backend, &notices};
};

TEST_F(ShellReports, ScreensaverOptionsOpenXScreenSaversSettingsOrSayWhyNot)
{
    shell.ConfigureScreensaverFile(dir.file("hacks/deco"));
    EXPECT_EQ(NextNotice(), "XScreenSaver's settings are opening: the options of \"Deco\" are under its entry there");
    QElapsedTimer started;
    started.start();
    while (!std::filesystem::exists(dir.file("settings-opened")) && started.elapsed() < 10000) {
        QThread::msleep(5);
    }
    EXPECT_TRUE(std::filesystem::exists(dir.file("settings-opened"))) << "xscreensaver-settings was not started";

    struct Case
    {
        std::string path;
        std::string searchPath;
        std::string said;
    };
    const Case cases[] = {
        {dir.file("hacks/deco"), dir.file("no-settings"),
         "The options of \"Deco\" cannot be opened: XScreenSaver's settings program (xscreensaver-settings) is not "
         "installed"},
        {"/s/Ribbons.SCR", dir.file("bin"), "The options of /s/Ribbons.SCR cannot be opened: Wine is not installed"},
        {"/opt/glow", dir.file("bin"),
         "/opt/glow has no options that Kelvane can open: it is neither a Windows screensaver nor one of "
         "XScreenSaver's"},
    };
    for (const Case& c : cases) {
        ScopedEnv searchPath("PATH", c.searchPath);
        shell.ConfigureScreensaverFile(c.path);
        EXPECT_EQ(NextNotice(), c.said) << c.path;
    }
    // The system's screensaver settings, with none installed.
    ScopedEnv none("PATH", dir.file("no-settings"));
    shell.OpenScreensaverControlPanel();
    EXPECT_EQ(NextNotice(), "No screensaver settings program is installed on this desktop");
}

TEST_F(ShellReports, WithoutAFileManagerTheFolderAndThePropertiesSayWhyNothingOpens)
{
    const std::string file = dir.file("saver.scr");
    shell.ShowFileInFolder(file);
    EXPECT_EQ(NextNotice(), "Kelvane cannot show " + file +
                                " in its folder: no file manager answers, and no program that opens folders is "
                                "installed");
    shell.ShowFileProperties(file);
    EXPECT_EQ(NextNotice(), "Kelvane cannot show the properties of " + file +
                                ": no file manager answers, and no program that opens folders is installed");
    shell.ShowFileInFolder("/nowhere/at/all/saver.scr");
    EXPECT_EQ(NextNotice(), "Kelvane cannot show /nowhere/at/all/saver.scr in its folder: the folder /nowhere/at/all "
                            "does not exist");
}

} // namespace
} // namespace kelvane::platform
