// The real XScreenSaver daemon on a virtual X server of the test's own, run as an ordinary user (the
// daemon launches no hack for root) with a private home; and the live preview on the test's display.
#include "TestPaths.h"
#include "common/DateTime.h"
#include "common/FileNames.h"
#include "e2e/ProgramProcess.h"
#include "library/Rotation.h"
#include "platform/linux/LinuxProcessesAndInput.h"
#include "platform/linux/LinuxShell.h"
#include "platform/linux/XScreenSaverBackend.h"
#include "platform/qt/QtScreensaverPreview.h"
#include "support/EventsFixture.h"
#include "support/StatusAssertions.h"
#include "support/TempDir.h"
#include "ui/screensavers/PreviewPane.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <unistd.h>

namespace kelvane::platform {
namespace {

using namespace std::chrono_literals;
using test::Succeeded;

constexpr const char* HackFolder = "/usr/libexec/xscreensaver";
constexpr const char* ConfigFolder = "/usr/share/xscreensaver/config";
constexpr const char* SystemDefaults = "/etc/X11/app-defaults/XScreenSaver";
constexpr uid_t Nobody = 65534;

std::string Hack(const char* name)
{
    return std::string(HackFolder) + "/" + name;
}

// The file's bytes; nothing when it cannot be read. A process's file under /proc fails to read when the
// process ends after the open, which the stream reports by throwing.
std::string ReadWhole(const std::string& path)
{
    try {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return {};
    }
}

// A process's parent and its state letter, from /proc; nothing when it has gone.
std::optional<std::pair<pid_t, char>> ParentAndState(pid_t pid)
{
    const std::string stat = ReadWhole("/proc/" + std::to_string(pid) + "/stat");
    // The program's name stands in parentheses and may itself hold ") ": the fields follow the last one.
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 4 >= stat.size()) {
        return std::nullopt;
    }
    return std::pair<pid_t, char>(static_cast<pid_t>(std::atol(stat.c_str() + nameEnd + 4)), stat[nameEnd + 2]);
}

// The running processes that descend from root (a zombie has ended): only what the test started
// counts, never the hacks of a screensaver the developer runs, nor anything else on the machine.
std::vector<pid_t> RunningDescendants(pid_t root)
{
    std::multimap<pid_t, pid_t> children;
    std::error_code ec;
    for (std::filesystem::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t pid = static_cast<pid_t>(std::atol(it->path().filename().c_str()));
        if (const auto parent = pid > 0 ? ParentAndState(pid) : std::nullopt;
            parent && parent->second != 'Z' && parent->second != 'X') {
            children.emplace(parent->first, pid);
        }
    }
    std::vector<pid_t> found;
    std::vector<pid_t> parents{root};
    while (!parents.empty()) {
        const pid_t parent = parents.back();
        parents.pop_back();
        for (auto [it, end] = children.equal_range(parent); it != end; ++it) {
            found.push_back(it->second);
            parents.push_back(it->second);
        }
    }
    return found;
}

// The process below root that runs the program, if one does.
std::optional<pid_t> RunningUnder(pid_t root, const std::string& program)
{
    for (const pid_t pid : RunningDescendants(root)) {
        std::error_code ec;
        if (std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec) == program) {
            return pid;
        }
    }
    return std::nullopt;
}

// A hack that the test process started itself (a window of ours, the preview).
bool OursRuns(const char* hack)
{
    return RunningUnder(::getpid(), Hack(hack)).has_value();
}

std::string AsanOptions()
{
    const char* options = std::getenv("ASAN_OPTIONS");
    return options ? options : "";
}

bool Installed(const char* program)
{
    return !QStandardPaths::findExecutable(QString::fromUtf8(program)).isEmpty();
}

// Waits on the event loop (the daemon's answers arrive there) until the condition holds.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    return test::PollUntil(
        [&] {
            QCoreApplication::processEvents();
            return condition();
        },
        timeout);
}

// The user's file: the daemon's fades and splash off, so that it answers at once; a comment and a
// setting of the user's own that every change must keep.
const std::string UserFile = "# my own notes\n"
                             "fade:\t\tFalse\n"
                             "unfade:\t\tFalse\n"
                             "splash:\t\tFalse\n"
                             "lock:\t\tFalse\n"
                             "timeout:\t0:30:00\n"
                             "mode:\t\toff\n"
                             "selected:\t-1\n"
                             "programs:\t\\\n"
                             "\t\tdeco --root\t\\n\\\n"
                             "-\t\tswirl --root\t\\n\\\n"
                             "\t\tgalaxy --root\t\\n\n"
                             "pointerHysteresis:\t10\n";

class XScreenSaverDesktop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!Installed("xscreensaver") || !Installed("Xvfb") || !std::filesystem::exists(Hack("deco"))) {
            GTEST_SKIP() << "needs XScreenSaver (with its hacks) and Xvfb";
        }
        std::filesystem::permissions(home.path(),
                                     std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                         std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                         std::filesystem::perms::others_exec);
        home.write(".xscreensaver", UserFile);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(home.path().c_str(), Nobody, Nobody), 0);
            ASSERT_EQ(::chown(home.file(".xscreensaver").c_str(), Nobody, Nobody), 0);
        }
        ASSERT_NO_FATAL_FAILURE(StartServer());
        ASSERT_NO_FATAL_FAILURE(StartDaemon());
    }

    void TearDown() override
    {
        if (daemon) {
            Command({"-exit"});
            daemon->WaitForExit(5s);
        }
        daemon.reset();
        // Asked to end, so that the server removes its lock and socket for the next test.
        if (server) {
            server->terminate();
            server->waitForFinished(5000);
        }
        server.reset();
        if (!oldDisplay.empty()) {
            ::setenv("DISPLAY", oldDisplay.c_str(), 1);
        }
    }

    // An X server without access control, so that the daemon's user may draw on it. It picks a free
    // display itself and tells its number.
    void StartServer()
    {
        server = std::make_unique<QProcess>();
        server->setStandardErrorFile(QProcess::nullDevice());
        server->start(QStringLiteral("Xvfb"),
                      {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-ac"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("640x480x24")});
        QByteArray number;
        ASSERT_TRUE(test::PollUntil(
            [&] {
                server->waitForReadyRead(100);
                number += server->readAllStandardOutput();
                return number.contains('\n');
            },
            10s))
            << "no X server could be started";
        display = ":" + number.trimmed().toStdString();
        // The daemon's commands, the hacks and the exit input go to this server.
        if (const char* old = std::getenv("DISPLAY")) {
            oldDisplay = old;
        }
        ::setenv("DISPLAY", display.c_str(), 1);
    }

    void StartDaemon()
    {
        std::vector<std::string> arguments;
        std::string program = "/usr/bin/xscreensaver";
        if (::geteuid() == 0) {
            program = "/usr/bin/setpriv";
            arguments = {"--reuid=65534", "--regid=65534", "--clear-groups", "/usr/bin/xscreensaver"};
        }
        arguments.push_back("-no-splash");
        // The stand-ins a test puts into the home's "bin" come first for the daemon's shell.
        const char* path = std::getenv("PATH");
        daemon = std::make_unique<test::ProgramProcess>(
            test::ProgramProcess::Options{program,
                                          arguments,
                                          {{"HOME", home.path()},
                                           {"DISPLAY", display},
                                           {"PATH", home.file("bin") + ":" + (path ? path : "/usr/bin:/bin")}},
                                          {},
                                          home.path()});
        // Generous: on a loaded machine the daemon's first answer has taken more than 15 seconds.
        ASSERT_TRUE(test::PollUntil([&] { return Command({"-time"}); }, 45s))
            << "the daemon did not start: " << daemon->Stderr();
    }

    // A command to the daemon, waited for: the test, unlike the window, may wait.
    bool Command(std::initializer_list<const char*> arguments)
    {
        QStringList list;
        for (const char* argument : arguments) {
            list.push_back(QString::fromUtf8(argument));
        }
        QProcess command;
        command.start(QStringLiteral("xscreensaver-command"), list);
        return command.waitForFinished(5000) && command.exitStatus() == QProcess::NormalExit && command.exitCode() == 0;
    }

    XScreenSaverSetting MakeSetting() { return XScreenSaverSetting(places, *hacks, "/nowhere/windows", notices, {}); }

    // A stand-in for wine, first on the daemon's path: it records its arguments (NUL after each) and its
    // WINEPREFIX, and stays, as a screensaver does, until the daemon ends it.
    void InstallWineStandIn()
    {
        std::filesystem::create_directories(home.file("bin"));
        std::ofstream(home.file("bin/wine")) << "#!/bin/sh\n"
                                                "printf '%s' \"$WINEPREFIX\" > \"$HOME/wine-prefix\"\n"
                                                "printf '%s\\0' \"$$\" \"$@\" > \"$HOME/wine-run.part\"\n"
                                                "mv \"$HOME/wine-run.part\" \"$HOME/wine-run\"\n"
                                                "exec sleep 60\n";
        std::filesystem::permissions(home.file("bin/wine"),
                                     std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                         std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                         std::filesystem::perms::others_exec);
    }

    // Activates the daemon and gives the arguments its wine got, after checking that the daemon runs the
    // stand-in itself and ends it at the deactivation; nothing when wine did not start.
    std::optional<std::vector<std::string>> WineArgumentsAtActivation()
    {
        std::filesystem::remove(home.file("wine-run"));
        if (!Command({"-activate"})) {
            ADD_FAILURE() << "the daemon did not activate";
            return std::nullopt;
        }
        if (!test::PollUntil([&] { return std::filesystem::exists(home.file("wine-run")); }, 10s)) {
            ADD_FAILURE() << "the daemon did not start wine";
            return std::nullopt;
        }
        std::vector<std::string> run;
        const std::string bytes = home.read("wine-run");
        for (size_t start = 0; start < bytes.size();) {
            const size_t end = bytes.find('\0', start);
            run.push_back(bytes.substr(start, end - start));
            start = end + 1;
        }
        if (run.empty()) {
            ADD_FAILURE() << "wine recorded nothing";
            return std::nullopt;
        }
        const pid_t stand_in = static_cast<pid_t>(std::atol(run.front().c_str()));
        // The daemon runs the stand-in and nothing else is left of the entry.
        const std::vector<pid_t> below = RunningDescendants(daemon->Pid());
        EXPECT_NE(std::find(below.begin(), below.end(), stand_in), below.end());
        EXPECT_TRUE(Command({"-deactivate"}));
        EXPECT_TRUE(test::PollUntil(
            [&] {
                const std::vector<pid_t> now = RunningDescendants(daemon->Pid());
                return std::find(now.begin(), now.end(), stand_in) == now.end();
            },
            10s));
        return std::vector<std::string>(run.begin() + 1, run.end());
    }

    // A hack that the test's own daemon runs.
    bool Runs(const char* hack) { return daemon && RunningUnder(daemon->Pid(), Hack(hack)).has_value(); }

    test::TempDir home;
    std::string display;
    std::string oldDisplay;
    std::unique_ptr<QProcess> server;
    std::unique_ptr<test::ProgramProcess> daemon;
    StatusNotices notices;
    XScreenSaverPlaces places{home.file(".xscreensaver"), SystemDefaults, HackFolder};
    std::shared_ptr<const XScreenSaverHacks> hacks = std::make_shared<XScreenSaverHacks>(HackFolder, ConfigFolder);
};

TEST_F(XScreenSaverDesktop, TheChosenHackIsWhatTheDaemonRunsAndEveryOtherLineStays)
{
    XScreenSaverSetting setting = MakeSetting();
    // A disabled entry is chosen where it stands.
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath(Hack("swirl"))));
    std::string expected = UserFile;
    expected.replace(expected.find("mode:\t\toff"), 10, "mode:\t\tone");
    expected.replace(expected.find("selected:\t-1"), 12, "selected:\t1");
    EXPECT_EQ(home.read(".xscreensaver"), expected);

    ASSERT_TRUE(Command({"-activate"}));
    EXPECT_TRUE(test::PollUntil([this] { return Runs("swirl"); }, 10s));
    EXPECT_FALSE(Runs("deco"));
    ASSERT_TRUE(Command({"-deactivate"}));
    EXPECT_TRUE(test::PollUntil([this] { return !Runs("swirl"); }, 10s));

    // A change is seen at the next activation, without a restart: an entry the list lacked.
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath(Hack("fuzzyflakes"))));
    ASSERT_TRUE(Command({"-activate"}));
    EXPECT_TRUE(test::PollUntil([this] { return Runs("fuzzyflakes"); }, 10s));
    ASSERT_TRUE(Command({"-deactivate"}));
    EXPECT_TRUE(test::PollUntil([this] { return !Runs("fuzzyflakes"); }, 10s));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), Hack("fuzzyflakes"));
}

TEST_F(XScreenSaverDesktop, BlankAndNoneRunNoHack)
{
    XScreenSaverSetting setting = MakeSetting();
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath("/nowhere/windows/System32/scrnsave.scr")));
    EXPECT_NE(home.read(".xscreensaver").find("mode:\t\tblank\n"), std::string::npos);
    ASSERT_TRUE(Command({"-activate"}));
    QProcess time;
    time.start(QStringLiteral("xscreensaver-command"), {QStringLiteral("-time")});
    ASSERT_TRUE(time.waitForFinished(5000));
    EXPECT_TRUE(time.readAllStandardOutput().contains("blanked")); // blanked, by no hack
    EXPECT_FALSE(Runs("deco") || Runs("swirl") || Runs("galaxy"));
    ASSERT_TRUE(Command({"-deactivate"}));

    EXPECT_TRUE(Succeeded(setting.ClearActiveScreensaverPath()));
    EXPECT_NE(home.read(".xscreensaver").find("mode:\t\toff\n"), std::string::npos);
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");
}

TEST_F(XScreenSaverDesktop, RunNowGoesThroughTheDaemonAndTheExitInputEndsIt)
{
    auto backend = std::make_shared<XScreenSaverBackend>(places, hacks, "/nowhere/windows", notices, true);
    LinuxShell shell(backend);
    LinuxProcessesAndInput processes(backend);
    shell.RunScreensaverFile(Hack("galaxy"));
    ASSERT_TRUE(PumpUntil([this] { return Runs("galaxy"); }, 10s));
    // The daemon ran it, not a window of ours: the screen is blanked by the daemon.
    QProcess time;
    time.start(QStringLiteral("xscreensaver-command"), {QStringLiteral("-time")});
    ASSERT_TRUE(time.waitForFinished(5000));
    EXPECT_TRUE(time.readAllStandardOutput().contains("blanked"));

    processes.SendScreensaverExitInput();
    EXPECT_TRUE(PumpUntil([this] { return !Runs("galaxy"); }, 10s));
    // Nothing was written: running is not choosing.
    EXPECT_EQ(home.read(".xscreensaver"), UserFile);
}

// Rotation by "Run": each step ends the hack the daemon shows and has it show the next. The end must
// be over before the next start, and nothing else may end the new one (an exit input sent to the
// desktop as well would): the daemon then shows each step's own hack, and keeps showing it.
TEST_F(XScreenSaverDesktop, RotationByRunShowsEachStepsOwnHack)
{
    // With the daemon's fades, as users have them (if quicker): an end goes on a while after the daemon
    // has answered.
    std::string fading = UserFile + "fadeSeconds:\t0:00:01\n";
    fading.replace(fading.find("fade:\t\tFalse"), 12, "fade:\t\tTrue");
    fading.replace(fading.find("unfade:\t\tFalse"), 14, "unfade:\t\tTrue");
    home.write(".xscreensaver", fading);
    // The daemon and its hacks run as the daemon's user, which the test is not when it runs as root.
    const uid_t daemonUser = ::geteuid() == 0 ? Nobody : ::getuid();
    auto backend = std::make_shared<XScreenSaverBackend>(places, hacks, "/nowhere/windows", notices, true, daemonUser);
    LinuxShell shell(backend);
    LinuxProcessesAndInput processes(backend, {}, daemonUser);
    XScreenSaverSetting setting = MakeSetting();
    ActiveScreensaverControl active(setting, shell, processes);
    std::vector<std::string> reported;
    notices.SetListener([&](const std::string& text) { reported.push_back(text); });

    // "-time" names the hack the daemon shows by its place in the daemon's list.
    const auto shows = [&](const std::string& hack) {
        QProcess time;
        time.start(QStringLiteral("xscreensaver-command"), {QStringLiteral("-time")});
        const std::string said = time.waitForFinished(5000) ? time.readAllStandardOutput().toStdString() : "";
        const std::optional<size_t> number = setting.DaemonListNumber(hack);
        return number && said.find(" blanked ") != std::string::npos &&
               said.find("(hack #" + std::to_string(*number) + ")") != std::string::npos &&
               Runs(ExecutableFileName(hack).c_str());
    };
    const std::vector<std::string> list = {Hack("deco"), Hack("swirl"), Hack("galaxy")};
    RotationState state;
    for (const std::string& hack : list) {
        SCOPED_TRACE(hack);
        ASSERT_EQ(RotationStep(state, list, RotationAction::Run, active), hack);
        EXPECT_TRUE(PumpUntil([&] { return shows(hack); }, 20s));
        // Once every command of the step has had its answer, it still shows.
        EXPECT_FALSE(PumpUntil([&] { return !shows(hack); }, 2s));
    }
    EXPECT_TRUE(reported.empty()) << reported.front();
    EXPECT_EQ(home.read(".xscreensaver"), fading) << "running is not choosing";
}

TEST_F(XScreenSaverDesktop, WithoutADaemonTheHackRunsInAWindowOfOurOwn)
{
    ASSERT_TRUE(Command({"-exit"}));
    ASSERT_TRUE(daemon->WaitForExit(10s).has_value());
    daemon.reset();
    // Our own window is on the test's display: the hack must draw there.
    if (oldDisplay.empty() || QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "needs the test's own X display (xvfb-run)";
    }
    ::setenv("DISPLAY", oldDisplay.c_str(), 1);
    std::vector<std::string> reported;
    notices.SetListener([&](const std::string& text) { reported.push_back(text); });
    auto backend = std::make_shared<XScreenSaverBackend>(places, hacks, "/nowhere/windows", notices, true);
    LinuxShell shell(backend);
    LinuxProcessesAndInput processes(backend);
    shell.RunScreensaverFile(Hack("deco"));
    ASSERT_TRUE(PumpUntil([] { return OursRuns("deco"); }, 10s));
    EXPECT_TRUE(reported.empty()) << reported.front(); // falling back is no failure
    processes.SendScreensaverExitInput();
    EXPECT_FALSE(OursRuns("deco"));
}

TEST_F(XScreenSaverDesktop, AScheduledActivationChangesTheDaemonsChoice)
{
    if (!Installed("faketime")) {
        GTEST_SKIP() << "needs faketime";
    }
    // The program runs under a clock three seconds before the event; its timers keep real time.
    const std::string data = home.file("data");
    const std::string runtime = home.file("runtime");
    std::filesystem::create_directories(data + "/Quillfen/Kelvane");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    const double at = EncodeDateTime({{2030, 1, 1}, {12, 0, 0, 0}});
    std::ofstream(data + "/Quillfen/Kelvane/events.dat", std::ios::binary)
        << test::Count(1) + test::Row("swirl at noon", at, "One-Time Events", "Activate", Hack("swirl"));
    test::ProgramProcess program(
        {"/usr/bin/faketime",
         {"-f", "@2030-01-01 11:59:57", KELVANE_EXECUTABLE},
         {{"HOME", home.path()},
          {"XDG_DATA_HOME", data},
          {"XDG_RUNTIME_DIR", runtime},
          {"TZ", "UTC"},
          {"LC_ALL", "C"},
          {"QT_QPA_PLATFORM", "offscreen"},
          {"FAKETIME_DONT_FAKE_MONOTONIC", "1"},
          // A sanitized build would refuse to start with the clock library loaded ahead of its runtime.
          {"ASAN_OPTIONS", AsanOptions() + ":verify_asan_link_order=0"},
          {"KELVANE_UPDATE_URL", "https://127.0.0.1:1/updates/KelvaneUpdates.ver"}},
         {},
         home.path()});
    ASSERT_TRUE(
        test::PollUntil([&] { return home.read(".xscreensaver").find("selected:\t1\n") != std::string::npos; }, 60s))
        << program.Stderr();
    EXPECT_NE(home.read(".xscreensaver").find("mode:\t\tone\n"), std::string::npos);
    ASSERT_TRUE(Command({"-activate"}));
    EXPECT_TRUE(test::PollUntil([this] { return Runs("swirl"); }, 10s));
    ASSERT_TRUE(Command({"-deactivate"}));
    test::ProgramProcess close({KELVANE_EXECUTABLE,
                                {"/CLOSE"},
                                {{"XDG_RUNTIME_DIR", runtime}, {"QT_QPA_PLATFORM", "offscreen"}},
                                {},
                                home.path()});
    EXPECT_EQ(program.WaitForExit(30s), 0) << program.Stderr();
}

// Names that XScreenSaver's reader of its file and then /bin/sh would take for more than a name; a
// name that escaped its quotes would run "cd;touch pwned", which leaves a mark in the daemon's home.
TEST_F(XScreenSaverDesktop, AWindowsScreensaverOfAnyNameReachesWineAsExactlyThatFile)
{
    InstallWineStandIn();
    const std::string folder = home.file("it's $(cd;touch pwned) \"here\"");
    std::filesystem::create_directories(folder);
    struct Case
    {
        std::string name;
        const char* refusal; // what the status bar says of a name the list cannot carry
    };
    const Case cases[] = {
        {"plain name.scr", nullptr},
        {"it's.scr", nullptr},
        {"x'$(cd;touch pwned)'y.scr", nullptr},
        {"say \"hi\" $(cd;touch pwned).scr", nullptr},
        {"`cd;touch pwned`.scr", nullptr},
        {"a;cd;touch pwned;b.scr", nullptr},
        {"a&(cd;touch pwned)&b.scr", nullptr},
        {"a|(cd;touch pwned)|b.scr", nullptr},
        {"-s.scr", nullptr},
        {"~*?[a] {b,c} #!%=:.scr", nullptr},
        {"'\"'\"'.scr", nullptr},
        {"GL: \"Pretty\" - ends with a quote'.SCR", nullptr},
        {"Zo\xC3\xAB \xE2\x98\x83 \xE6\x97\xA5\xE6\x9C\xAC.scr", nullptr},
        {"back\\slash\\n.scr", "backslash"},
        {"line\nbreak.scr", "control character"},
        {"tab\there.scr", "control character"},
    };
    std::vector<std::string> reported;
    notices.SetListener([&](const std::string& text) { reported.push_back(text); });
    XScreenSaverSetting setting = MakeSetting();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder + "/" + c.name;
        std::ofstream(path) << "MZ";
        reported.clear();
        const std::string before = home.read(".xscreensaver");
        const Status written = setting.WriteActiveScreensaverPath(path);
        EXPECT_TRUE(reported.empty()) << reported.front();
        if (c.refusal) {
            EXPECT_NE(written.message().find(c.refusal), std::string::npos) << written.message();
            EXPECT_EQ(home.read(".xscreensaver"), before);
            continue;
        }
        EXPECT_TRUE(Succeeded(written));
        EXPECT_EQ(setting.ReadActiveScreensaverPath(), path);

        const auto run = WineArgumentsAtActivation();
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(*run, (std::vector<std::string>{path, "/s"}));
        EXPECT_FALSE(std::filesystem::exists(home.file("pwned")));
    }
    EXPECT_FALSE(std::filesystem::exists(home.file("pwned")));
}

// A Windows path, as a list from the Windows program holds it, reaches wine as the same path with
// slashes, in the Wine prefix where the program found the file, whatever either name holds.
TEST_F(XScreenSaverDesktop, AWindowsPathReachesWineAsThatPathInThePrefixItWasFoundIn)
{
    InstallWineStandIn();
    const std::string prefix = home.file("it's $(cd;touch pwned) prefix");
    places.WinePrefix = prefix;
    XScreenSaverSetting setting = MakeSetting();
    const char* const names[] = {
        "C:\\Windows\\System32\\ribbons.scr",
        "C:\\Program Files\\it's \"here\" $(cd;touch pwned)\\`cd;touch pwned`.scr",
        "d:\\a;cd;touch pwned;b\\'\"'\"'.SCR",
    };
    for (const std::string path : names) {
        SCOPED_TRACE(path);
        std::string slashed = path;
        std::replace(slashed.begin(), slashed.end(), '\\', '/');
        EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath(path)));
        EXPECT_EQ(setting.ReadActiveScreensaverPath(), path);

        const auto run = WineArgumentsAtActivation();
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(*run, (std::vector<std::string>{slashed, "/s"}));
        EXPECT_EQ(home.read("wine-prefix"), prefix);
        EXPECT_FALSE(std::filesystem::exists(home.file("pwned")));
    }
}

// The live preview, on the test's own display.
TEST(ScreensaverPreviewPane, TheHackDrawsIntoThePanesWindowAndEndsWhenTheFileChanges)
{
    if (!std::filesystem::exists(Hack("deco")) || QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "needs XScreenSaver's hacks and an X display (xvfb-run)";
    }
    StatusNotices notices;
    auto hacks = std::make_shared<XScreenSaverHacks>(HackFolder, ConfigFolder);
    const auto backend = std::make_shared<XScreenSaverBackend>(
        XScreenSaverPlaces{"/nowhere/.xscreensaver", SystemDefaults, HackFolder}, hacks, "/nowhere", notices, false);
    QtScreensaverPreview preview([backend](const std::string& path, uint64_t window) {
        return HackPreviewCommand(backend.get(), path, window);
    });
    ui::PreviewPane pane(&preview);
    pane.show();

    auto commandLineOf = [](const char* hack) {
        const auto pid = RunningUnder(::getpid(), Hack(hack));
        if (!pid) {
            return std::string();
        }
        std::string text = ReadWhole("/proc/" + std::to_string(*pid) + "/cmdline");
        std::replace(text.begin(), text.end(), '\0', ' ');
        return text;
    };
    pane.ShowFile(Hack("deco"));
    const std::string expected =
        Hack("deco") + " --window-id 0x" + QString::number(pane.Surface()->winId(), 16).toStdString() + " ";
    ASSERT_TRUE(test::PollUntil([&] { return commandLineOf("deco") == expected; }, 5s)) << commandLineOf("deco");

    // The preview is the program's own: never taken for a running screensaver to end. (The search looks
    // at the whole machine, where someone else's deco may run: only the preview must not be found.)
    const std::optional<int64_t> previewProcess = preview.ProcessId();
    ASSERT_TRUE(previewProcess.has_value());
    EXPECT_NE(LinuxProcessesAndInput(nullptr, [&] { return preview.ProcessId(); }).FindProcessByExeName(Hack("deco")),
              previewProcess);

    pane.ShowFile(Hack("swirl"));
    EXPECT_FALSE(OursRuns("deco"));
    EXPECT_TRUE(test::PollUntil([&] { return !commandLineOf("swirl").empty(); }, 5s));
    // A Windows screensaver cannot draw into an X window: the pane says so and nothing runs.
    pane.ShowFile("/somewhere/saver.scr");
    EXPECT_FALSE(OursRuns("swirl"));
    EXPECT_FALSE(preview.Running());
}

} // namespace
} // namespace kelvane::platform
