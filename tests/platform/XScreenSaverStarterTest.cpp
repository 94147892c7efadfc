#include "platform/linux/XScreenSaverStarter.h"

#include "platform/linux/LinuxScreensaverSetting.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace kelvane::platform {
namespace {

using test::ScopedEnv;

// Stand-ins for XScreenSaver's two commands, alone on the search path, in a folder whose name a desktop
// entry must quote.
class XScreenSaverStarterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.file(bin));
        // As xscreensaver-command answers when no daemon runs on the display.
        Script("xscreensaver-command",
               "echo \"xscreensaver-command: no screensaver is running on display :99\" >&2\nexit 1\n");
        // Records its arguments, one a line.
        Script("xscreensaver", "printf '%s\\n' \"$@\" > \"$0.args\"\n");
    }
    void Script(const std::string& name, const std::string& body)
    {
        dir.write(bin + name, "#!/bin/sh\n" + body);
        std::filesystem::permissions(dir.file(bin + name), std::filesystem::perms::owner_all);
    }
    // Runs the event loop until the condition holds, for at most ten seconds of real time.
    template <typename Condition>
    static bool Within(Condition condition)
    {
        QElapsedTimer waited;
        waited.start();
        while (!condition() && waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return condition();
    }

    test::TempDir dir;
    const std::string bin = "bin dir's \"x\"/";
    ScopedEnv path{"PATH", dir.file(bin.substr(0, bin.size() - 1)) + ":/usr/bin:/bin"};
    ScopedEnv configHome{"XDG_CONFIG_HOME", dir.file("config")};
    StatusNotices notices;
};

TEST_F(XScreenSaverStarterTest, AMissingDaemonIsAnAnswerNotANotice)
{
    std::string told;
    notices.SetListener([&told](const std::string& text) { told = text; });
    XScreenSaverStarter starter(notices);
    std::optional<bool> running;
    starter.CheckRunning([&running](bool answer) { running = answer; });
    EXPECT_FALSE(running.has_value()) << "the answer comes later, never while the caller waits";
    ASSERT_TRUE(Within([&] { return running.has_value(); }));
    EXPECT_FALSE(*running);
    EXPECT_EQ(told, "") << "the caller words what a missing daemon means";
}

TEST_F(XScreenSaverStarterTest, StartsTheDaemonWithoutItsSplashAndWithoutWaiting)
{
    XScreenSaverStarter starter(notices);
    QElapsedTimer took;
    took.start();
    starter.Start();
    EXPECT_LT(took.elapsed(), 5000) << "the daemon runs on; the start does not wait for it";
    const std::string args = dir.file(bin + "xscreensaver.args");
    ASSERT_TRUE(Within([&] { return std::filesystem::exists(args) && std::filesystem::file_size(args) > 0; }));
    EXPECT_EQ(dir.read(bin + "xscreensaver.args"), "--no-splash\n");
}

TEST_F(XScreenSaverStarterTest, EverySessionGetsItsOwnEntryQuotedForTheDesktop)
{
    XScreenSaverStarter starter(notices);
    ASSERT_TRUE(starter.StartWithEverySession().ok());
    EXPECT_EQ(XScreenSaverStarter::EntryFileName(), dir.file("config") + "/autostart/xscreensaver.desktop");
    const std::string entry = dir.read("config/autostart/xscreensaver.desktop");
    const Result<std::string> program = DesktopExecLine(dir.file(bin + "xscreensaver"));
    ASSERT_TRUE(program.ok());
    EXPECT_NE(entry.find("\nExec=" + program.value() + " --no-splash\n"), std::string::npos) << entry;
    EXPECT_EQ(program.value().front(), '"') << "the folder's blank and quotes are quoted";
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);

    ScopedEnv nowhere{"PATH", dir.file("config")};
    EXPECT_FALSE(starter.StartWithEverySession().ok()) << "no daemon to start";
}

} // namespace
} // namespace kelvane::platform
