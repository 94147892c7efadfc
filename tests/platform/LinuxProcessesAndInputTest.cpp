#include "platform/linux/LinuxProcessesAndInput.h"

#include "platform/StatusNotices.h"
#include "platform/linux/XScreenSaverBackend.h"
#include "platform/xscreensaver/XScreenSaverSetting.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <link.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Last: X11's macros (None, Bool, Status, True, ...) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace kelvane::platform {
namespace {

using namespace std::chrono_literals;
using test::ScopedEnv;

constexpr auto kStartLimit = 10s;
constexpr auto kEventLimit = 5s;

// The file's bytes; nothing when it cannot be read. A process's file under /proc fails to read when the
// process ends after the open, which the stream reports by throwing.
std::string ReadWholeFile(const std::string& path)
{
    try {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return {};
    }
}

std::string SleepProgram()
{
    for (const char* candidate : {"/bin/sleep", "/usr/bin/sleep"}) {
        if (::access(candidate, X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

// The dynamic loader named by this test program. Started on a program file, it keeps that file as
// its first argument, the way Wine's loader keeps the Windows program it hosts.
std::string DynamicLoader()
{
    std::string loader;
    ::dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) -> int {
            for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type == PT_INTERP) {
                    *static_cast<std::string*>(data) =
                        reinterpret_cast<const char*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                }
            }
            return 1; // the first object is the program itself
        },
        &loader);
    return loader;
}

// A program started without a shell; killed and reaped when the test ends, however it ends. A program
// that hands over to another (a script's interpreter, setpriv) names what it then runs.
class ChildProcess
{
public:
    ChildProcess(const std::string& file, const std::vector<std::string>& arguments, std::string runs = {},
                 std::vector<std::string> runArguments = {})
        : m_file(file), m_arguments(arguments), m_runs(runs.empty() ? file : std::move(runs)),
          m_runArguments(runArguments.empty() ? arguments : std::move(runArguments))
    {
        // Everything the child needs is made before fork: after it, only exec and _exit are safe.
        std::vector<char*> argv;
        for (std::string& argument : m_arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execv(m_file.c_str(), argv.data());
            ::_exit(127);
        }
    }
    ~ChildProcess() { Reap(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }

    // True once the child runs the program with its arguments; exec takes a moment after fork.
    bool WaitUntilRunning() const
    {
        std::string expectedCommandLine;
        for (const std::string& argument : m_runArguments) {
            expectedCommandLine += argument + '\0';
        }
        std::error_code ec;
        const auto program = std::filesystem::canonical(m_runs, ec);
        const std::string proc = "/proc/" + std::to_string(m_pid);
        const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
        while (m_pid > 0 && std::chrono::steady_clock::now() < deadline) {
            if (std::filesystem::read_symlink(proc + "/exe", ec) == program &&
                ReadWholeFile(proc + "/cmdline") == expectedCommandLine) {
                return true;
            }
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }

    // Ends the child but leaves it unreaped: a zombie.
    void KillLeavingZombie() const
    {
        ::kill(m_pid, SIGKILL);
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOWAIT);
    }

    void Reap()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    std::string m_file;
    std::vector<std::string> m_arguments;
    std::string m_runs;
    std::vector<std::string> m_runArguments;
    pid_t m_pid = -1;
};

constexpr const char* kSetpriv = "/usr/bin/setpriv";

// The program run by another user, nobody, as a second person logged on to the same machine would; its
// first argument is its own path.
std::unique_ptr<ChildProcess> StartAsNobody(const std::string& program, const std::vector<std::string>& more)
{
    std::vector<std::string> runs = {program};
    runs.insert(runs.end(), more.begin(), more.end());
    std::vector<std::string> command = {kSetpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
    command.insert(command.end(), runs.begin(), runs.end());
    return std::make_unique<ChildProcess>(kSetpriv, command, program, runs);
}

// Why another user's processes cannot be tried here; empty when they can.
std::string WhyNoOtherUser()
{
    if (::geteuid() != 0) {
        return "needs root, to run a program as another user";
    }
    if (::access(kSetpriv, X_OK) != 0) {
        return "needs setpriv (util-linux)";
    }
    return {};
}

// A folder, and the programs copied into it, that every user may run.
void OpenToEveryone(const std::string& path)
{
    std::filesystem::permissions(path, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                           std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                           std::filesystem::perms::others_exec);
}

// Screensaver-like programs running the ways a screensaver can: natively, and under a Wine-like loader
// that names the Windows program in its first or second argument. Names carry this test run's id so
// that a run beside this one is not found instead.
class RunningPrograms : public testing::Test
{
protected:
    void SetUp() override
    {
        const std::string sleep = SleepProgram();
        const std::string loader = DynamicLoader();
        if (sleep.empty() || loader.empty()) {
            GTEST_SKIP() << "needs a sleep program and a dynamically linked test program";
        }
        const auto copy = [this](const std::string& from, const std::string& name) {
            std::filesystem::copy_file(from, m_dir.file(name));
            std::filesystem::permissions(m_dir.file(name), std::filesystem::perms::owner_all);
            return m_dir.file(name);
        };

        const std::string ribbons = copy(sleep, "Ribbons" + m_tag + ".SCR");
        const std::string orbit = copy(sleep, "Orbit" + m_tag + ".scr");
        const std::string nativeLoader = copy(sleep, "loader");
        const std::string preloader = copy(loader, "preloader");
        const std::string glow = copy(sleep, "Glow" + m_tag + ".scr");

        m_ribbons = Start(ribbons, {ribbons, "30"});
        m_orbit = Start(orbit, {"worker", "30"});
        m_bubbles = Start(nativeLoader, {"C:\\windows\\system32\\bubbles" + m_tag + ".scr", "30"});
        m_glow = Start(preloader, {"wine64-preloader", glow, "30"});
        m_unnamed = Start(nativeLoader, {"", "30"});
        m_named = Start(nativeLoader, {"/usr/libexec/xscreensaver/Deco" + m_tag, "30"});
        for (const ChildProcess* child : {m_ribbons, m_orbit, m_bubbles, m_glow, m_unnamed, m_named}) {
            ASSERT_TRUE(child->WaitUntilRunning()) << "child " << child->pid() << " did not start";
        }
        // Replaced while it runs: its /proc link now ends in " (deleted)".
        std::filesystem::remove(orbit);
    }

    ChildProcess* Start(const std::string& file, const std::vector<std::string>& arguments)
    {
        m_children.push_back(std::make_unique<ChildProcess>(file, arguments));
        return m_children.back().get();
    }

    const std::string m_tag = std::to_string(::getpid());
    LinuxProcessesAndInput m_processes;
    ChildProcess* m_ribbons = nullptr;
    ChildProcess* m_orbit = nullptr;
    ChildProcess* m_bubbles = nullptr;
    ChildProcess* m_glow = nullptr;
    ChildProcess* m_unnamed = nullptr;
    ChildProcess* m_named = nullptr;

private:
    test::TempDir m_dir;
    std::vector<std::unique_ptr<ChildProcess>> m_children;
};

TEST_F(RunningPrograms, AreFoundByFileNameInAnyFolderAndLetterCase)
{
    struct Case
    {
        std::string query;
        const ChildProcess* expected;
        const char* how;
    };
    const std::vector<Case> cases = {
        {"C:\\Windows\\System32\\ribbons" + m_tag + ".scr", m_ribbons, "executable, Windows folder"},
        {"/elsewhere/RIBBONS" + m_tag + ".scr", m_ribbons, "executable, another Linux folder"},
        {"Ribbons" + m_tag + ".SCR", m_ribbons, "executable, bare name"},
        {"/usr/share/ORBIT" + m_tag + ".scr", m_orbit, "executable alone, its file removed while it runs"},
        {"D:\\x\\Bubbles" + m_tag + ".scr", m_bubbles, "first argument as a Windows path"},
        {"glow" + m_tag + ".SCR", m_glow, "second argument, beside a loader"},
        {"c:Glow" + m_tag + ".scr", m_glow, "second argument, drive-relative path"},
    };
    for (const Case& c : cases) {
        const std::optional<int64_t> found = m_processes.FindProcessByExeName(c.query);
        ASSERT_TRUE(found.has_value()) << c.how << ": " << c.query;
        EXPECT_EQ(*found, c.expected->pid()) << c.how << ": " << c.query;
    }
}

TEST_F(RunningPrograms, PartsOfTheirNamesAndEmptyNamesFindNothing)
{
    const std::vector<std::string> queries = {
        "Ribbons" + m_tag + ".SC",      // prefix of the executable's name
        "ibbons" + m_tag + ".SCR",      // suffix of it
        "Ribbons" + m_tag + ".SCR.exe", // longer
        "Ribbons" + m_tag,              // without the extension
        "bubbles" + m_tag,              // prefix of the first argument's file name
        "ubbles" + m_tag + ".scr",      // suffix of it
        "low" + m_tag + ".scr",         // suffix of the second argument's file name
        "",                             // a process with an empty first argument runs
        "Deco" + m_tag,                 // a native program runs only as an executable, not named as an argument
        "/elsewhere/",                  // a folder: its file name is empty
        "C:\\Windows\\",
        "C:",
    };
    for (const std::string& query : queries) {
        EXPECT_EQ(m_processes.FindProcessByExeName(query), std::nullopt) << '"' << query << '"';
    }
}

TEST_F(RunningPrograms, AreNoLongerFoundOnceEnded)
{
    const std::string query = "/elsewhere/RIBBONS" + m_tag + ".scr";
    ASSERT_EQ(m_processes.FindProcessByExeName(query), m_ribbons->pid());

    m_ribbons->KillLeavingZombie();
    EXPECT_EQ(m_processes.FindProcessByExeName(query), std::nullopt) << "ended, not yet reaped";
    m_ribbons->Reap();
    EXPECT_EQ(m_processes.FindProcessByExeName(query), std::nullopt) << "reaped";
}

// Another user logged on to the same machine may run the same screensavers: ending or waiting for
// theirs is not this user's business.
TEST(LinuxProcesses, AnotherUsersProgramsAreNeverFound)
{
    if (const std::string why = WhyNoOtherUser(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const std::string sleep = SleepProgram();
    const std::string loader = DynamicLoader();
    ASSERT_FALSE(sleep.empty() || loader.empty());
    test::TempDir dir;
    OpenToEveryone(dir.path());
    const std::string tag = std::to_string(::getpid());
    const auto copy = [&dir](const std::string& from, const std::string& name) {
        std::filesystem::copy_file(from, dir.file(name));
        OpenToEveryone(dir.file(name));
        return dir.file(name);
    };
    const std::string ribbons = copy(sleep, "Ribbons" + tag + ".scr");
    const std::string deco = copy(sleep, "deco" + tag);
    const std::string preloader = copy(loader, "preloader");
    const std::string glow = copy(sleep, "Glow" + tag + ".scr");
    struct Case
    {
        std::string query;
        std::unique_ptr<ChildProcess> theirs;
    };
    Case cases[] = {
        {ribbons, StartAsNobody(ribbons, {"30"})},
        {"/usr/libexec/xscreensaver/deco" + tag, StartAsNobody(deco, {"30"})},
        {"C:\\Windows\\glow" + tag + ".scr", StartAsNobody(preloader, {glow, "30"})},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.theirs->WaitUntilRunning()) << c.query;
    }
    for (const Case& c : cases) {
        EXPECT_EQ(LinuxProcessesAndInput().FindProcessByExeName(c.query), std::nullopt) << c.query;
        // Their owner finds them: it is only whose they are that keeps them out.
        EXPECT_EQ(LinuxProcessesAndInput(nullptr, {}, 65534).FindProcessByExeName(c.query), c.theirs->pid()) << c.query;
    }
}

TEST(LinuxProcesses, TheCallingProcessIsNeverFound)
{
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    ASSERT_FALSE(ec);
    // Another run of this same test program may be found; this one must not be.
    EXPECT_NE(LinuxProcessesAndInput().FindProcessByExeName(self.string()), static_cast<int64_t>(::getpid()));
}

// XScreenSaver's settings window would write back its own choice over a change made while it is open,
// so a change waits for it to close; but only the user's own settings program is that window.
TEST(XScreenSaverSettingsWindow, OnlyTheUsersOwnSettingsProgramHoldsBackAChange)
{
    const std::string sleep = SleepProgram();
    ASSERT_FALSE(sleep.empty());
    test::TempDir dir;
    OpenToEveryone(dir.path());
    const std::string program = dir.file("bin/xscreensaver-settings");
    const std::string script = dir.file("scripts/xscreensaver-settings");
    for (const std::string& folder : {dir.file("bin"), dir.file("scripts"), dir.file("home")}) {
        std::filesystem::create_directory(folder);
        OpenToEveryone(folder);
    }
    std::filesystem::copy_file(sleep, program);
    OpenToEveryone(program);
    // Installed as a script, it runs as its interpreter, started on the script's path.
    dir.write("scripts/xscreensaver-settings", "#!/usr/bin/tail  -f \n");
    OpenToEveryone(script);
    const std::string tail = std::filesystem::canonical("/usr/bin/tail");

    StatusNotices notices;
    std::vector<std::string> reported;
    notices.SetListener([&](const std::string& text) { reported.push_back(text); });
    NoScreensaverPrograms noHacks;
    const XScreenSaverPlaces places{dir.file("home/.xscreensaver"), dir.file("no-defaults"), dir.file("no-hacks")};
    XScreenSaverSetting setting(places, noHacks, "/nowhere/windows", notices, XScreenSaverSettingsOpen);

    struct Case
    {
        const char* what;
        std::string installed; // the search path's folder that holds the settings program
        std::function<std::unique_ptr<ChildProcess>()> start;
        bool holdsBack;
    };
    const bool otherUser = WhyNoOtherUser().empty();
    const Case cases[] = {
        {"nothing runs", dir.file("bin"), [] { return nullptr; }, false},
        {"a program that only bears its name", dir.file("bin"),
         [&] {
             return std::make_unique<ChildProcess>(sleep, std::vector<std::string>{"xscreensaver-settings", "30"});
         },
         false},
        {"another user's settings program", dir.file("bin"),
         [&] { return otherUser ? StartAsNobody(program, {"30"}) : nullptr; }, false},
        {"the user's own", dir.file("bin"),
         [&] {
             return std::make_unique<ChildProcess>(program, std::vector<std::string>{program, "30"});
         },
         true},
        {"the user's own, a script", dir.file("scripts"),
         [&] {
             return std::make_unique<ChildProcess>(script, std::vector<std::string>{script}, tail,
                                                   std::vector<std::string>{tail, "-f", script});
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv path("PATH", c.installed);
        const std::unique_ptr<ChildProcess> running = c.start();
        ASSERT_TRUE(!running || running->WaitUntilRunning());
        std::filesystem::remove(places.UserFile);
        reported.clear();
        const auto written = setting.WriteActiveScreensaverPath(dir.file("saver.scr")); // Xlib names a macro Status
        EXPECT_EQ(std::filesystem::exists(places.UserFile), !c.holdsBack);
        EXPECT_EQ(written.ok(), !c.holdsBack) << written.message();
        if (c.holdsBack) {
            EXPECT_NE(written.message().find("settings window is open"), std::string::npos) << written.message();
        }
        EXPECT_TRUE(reported.empty()) << reported.front();
    }
    if (!otherUser) {
        GTEST_SKIP() << "another user's settings program was not tried: " << WhyNoOtherUser();
    }
}

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// Hands each event that arrives within the limit to `handle` until it says it has seen enough.
bool ReadEventsUntil(Display* display, const std::function<bool(const XEvent&)>& handle)
{
    const auto deadline = std::chrono::steady_clock::now() + kEventLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (XPending(display) > 0) {
            XEvent event{};
            XNextEvent(display, &event);
            if (handle(event)) {
                return true;
            }
            continue;
        }
        pollfd connection{XConnectionNumber(display), POLLIN, 0};
        ::poll(&connection, 1, 50);
    }
    return false;
}

TEST(LinuxExitInput, WithoutADisplayNothingIsSent)
{
    ScopedEnv display("DISPLAY", std::nullopt);
    LinuxProcessesAndInput().SendScreensaverExitInput();
    SUCCEED() << "returned without a display";
}

TEST(LinuxExitInput, AMotionAndTheEscapeKeyReachTheDesktop)
{
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display";
    }
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        LinuxProcessesAndInput().SendScreensaverExitInput();
        GTEST_SKIP() << "the X display cannot be opened";
    }
    Display* const x = display.get();
    const Window window = XCreateSimpleWindow(x, XDefaultRootWindow(x), 0, 0, 64, 64, 0,
                                              XBlackPixel(x, XDefaultScreen(x)), XBlackPixel(x, XDefaultScreen(x)));
    XSelectInput(x, window, KeyPressMask | KeyReleaseMask | PointerMotionMask | StructureNotifyMask);
    XMapWindow(x, window);
    ASSERT_TRUE(ReadEventsUntil(x, [](const XEvent& event) { return event.type == MapNotify; }));

    // Grabs, not focus: another program on the same display can take the focus, but not these, and
    // they keep the Escape from reaching anyone else.
    XWarpPointer(x, None, window, 0, 0, 0, 0, 10, 10);
    ASSERT_EQ(XGrabKeyboard(x, window, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    ASSERT_EQ(XGrabPointer(x, window, False, PointerMotionMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime),
              GrabSuccess);
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(x, window, &root, &child, &rootX, &rootY, &windowX, &windowY, &buttons);
    XSync(x, True); // drops the warp's own motion

    LinuxProcessesAndInput().SendScreensaverExitInput();

    bool moved = false;
    bool pressed = false;
    bool released = false;
    const bool complete = ReadEventsUntil(x, [&](const XEvent& event) {
        if (event.type == MotionNotify) {
            moved = moved || (event.xmotion.x_root == rootX + 1 && event.xmotion.y_root == rootY + 1);
        } else if (event.type == KeyPress || event.type == KeyRelease) {
            XKeyEvent key = event.xkey; // XLookupKeysym wants it writable
            const bool escape = XLookupKeysym(&key, 0) == XK_Escape;
            if (event.type == KeyPress) {
                pressed = escape;
            } else {
                released = pressed && escape;
            }
        }
        return moved && pressed && released;
    });
    EXPECT_TRUE(complete);
    EXPECT_TRUE(moved) << "a motion of one pixel right and down";
    EXPECT_TRUE(pressed) << "Escape pressed";
    EXPECT_TRUE(released) << "then released";

    XUngrabPointer(x, CurrentTime);
    XUngrabKeyboard(x, CurrentTime);
    XDestroyWindow(x, window);
}

} // namespace
} // namespace kelvane::platform
