// The daemon's commands in order, with a stand-in for xscreensaver-command that keeps a log: ending a
// running screensaver and starting the next, as a rotation step by "Run" does.
#include "platform/linux/XScreenSaverBackend.h"

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvane::platform {
namespace {

using test::ScopedEnv;

void OwnerMayRun(const std::string& file)
{
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

// Runs the event loop, where the daemon's answers arrive, until the condition holds.
bool PumpUntil(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

// A hack folder with one hack, "deco", the user's file listing it first, and a stand-in daemon command
// that notes when each command begins and ends. Its answer to "-deactivate" is the test's to choose.
class DaemonOrder : public testing::Test
{
protected:
    DaemonOrder()
    {
        for (const char* folder : {"bin", "hacks", "config"}) {
            std::filesystem::create_directory(dir.file(folder));
        }
        std::ofstream(dir.file("bin/xscreensaver-command")) << "#!/bin/sh\n"
                                                               "echo \"begin $*\" >> \"$KELVANE_DAEMON_LOG\"\n"
                                                               "status=0\n"
                                                               "if [ \"$1\" = -deactivate ]; then\n"
                                                               "  sleep 0.2\n"
                                                               "  printf '%s\\n' \"$KELVANE_DEACTIVATE_SAYS\"\n"
                                                               "  status=$KELVANE_DEACTIVATE_STATUS\n"
                                                               "fi\n"
                                                               "echo \"end $*\" >> \"$KELVANE_DAEMON_LOG\"\n"
                                                               "exit $status\n";
        OwnerMayRun(dir.file("bin/xscreensaver-command"));
        std::ofstream(dir.file("hacks/deco")) << "#!/bin/sh\n";
        OwnerMayRun(dir.file("hacks/deco"));
        std::ofstream(dir.file("config/deco.xml")) << "<screensaver name=\"deco\" _label=\"Deco\">\n";
        std::ofstream(dir.file(".xscreensaver")) << "mode:\t\toff\nprograms:\t\\\n\t\tdeco --root\t\\n\n";
    }

    std::string Log() const { return std::filesystem::exists(dir.file("log")) ? dir.read("log") : std::string(); }

    // What a rotation step by "Run" asks of the backend: the running screensaver's end, then the next.
    void EndAndRunNext()
    {
        backend->EndSaver([this] { std::ofstream(dir.file("log"), std::ios::app) << "exit input\n"; });
        backend->RunHack(dir.file("hacks/deco"));
    }

    test::TempDir dir;
    ScopedEnv path{"PATH", dir.file("bin") + ":/usr/bin:/bin"};
    ScopedEnv log{"KELVANE_DAEMON_LOG", dir.file("log")};
    StatusNotices notices;
    std::shared_ptr<XScreenSaverBackend> backend = std::make_shared<XScreenSaverBackend>(
        XScreenSaverPlaces{dir.file(".xscreensaver"), dir.file("no-defaults"), dir.file("hacks")},
        std::make_shared<XScreenSaverHacks>(dir.file("hacks"), dir.file("config")), "/nowhere/windows", notices, true);
};

// The start waits for the end's answer; the exit input is sent only when the daemon ended nothing,
// and then before the start, so that it cannot end what the daemon shows next.
TEST_F(DaemonOrder, TheNextStartWaitsForTheEndAndTheInputOnlyStandsInForTheDaemon)
{
    struct Case
    {
        const char* says;
        const char* status;
        bool input;
    };
    const Case cases[] = {
        {"xscreensaver-command: deactivating", "0", false},
        {"xscreensaver-command: already inactive, resetting activity time", "0", true},
        {"xscreensaver-command: no screensaver is running on display :0", "1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        ScopedEnv says("KELVANE_DEACTIVATE_SAYS", c.says);
        ScopedEnv status("KELVANE_DEACTIVATE_STATUS", c.status);
        std::filesystem::remove(dir.file("log"));
        EndAndRunNext();
        ASSERT_TRUE(PumpUntil([&] { return Log().find("end -select") != std::string::npos; }, 10000)) << Log();
        EXPECT_EQ(Log(), std::string("begin -deactivate\nend -deactivate\n") + (c.input ? "exit input\n" : "") +
                             "begin -select 1\nend -select 1\n");
    }
}

// After the daemon has answered, its helper still fades the screen back: the start waits until the
// helper has ended.
TEST_F(DaemonOrder, TheNextStartWaitsUntilTheDaemonsScreenHasGone)
{
    ScopedEnv says("KELVANE_DEACTIVATE_SAYS", "xscreensaver-command: deactivating");
    ScopedEnv status("KELVANE_DEACTIVATE_STATUS", "0");
    const std::string helper = dir.file("hacks/xscreensaver-gfx");
    std::filesystem::copy_file("/bin/sleep", helper);
    OwnerMayRun(helper);
    const pid_t fading = ::fork();
    if (fading == 0) {
        ::execl(helper.c_str(), helper.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(fading, 0);
    ASSERT_TRUE(PumpUntil(
        [&] {
            std::error_code ec;
            return std::filesystem::read_symlink("/proc/" + std::to_string(fading) + "/exe", ec) == helper;
        },
        10000));

    EndAndRunNext();
    ASSERT_TRUE(PumpUntil([&] { return Log().find("end -deactivate") != std::string::npos; }, 10000)) << Log();
    EXPECT_FALSE(PumpUntil([&] { return Log().find("-select") != std::string::npos; }, 500)) << Log();
    ::kill(fading, SIGKILL);
    ::waitpid(fading, nullptr, 0);
    EXPECT_TRUE(PumpUntil([&] { return Log().find("end -select 1") != std::string::npos; }, 10000)) << Log();
    EXPECT_EQ(Log().find("exit input"), std::string::npos);
}

} // namespace
} // namespace kelvane::platform
