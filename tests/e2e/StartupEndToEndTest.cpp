#include "TestPaths.h"
#include "common/DateTime.h"
#include "e2e/ProgramProcess.h"
#include "e2e/X11Desktop.h"
#include "scheduler/EventsFile.h"
#include "support/EventsFixture.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvane::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Each test runs the real program with a data folder and an instance folder of its own.
class ProgramEndToEnd : public testing::Test
{
protected:
    ProgramEndToEnd()
    {
        fs::create_directories(dataHome);
        fs::create_directories(runtimeDir);
        fs::permissions(runtimeDir, fs::perms::owner_all, fs::perm_options::replace);
    }

    std::unique_ptr<ProgramProcess> Start(std::vector<std::string> arguments = {}, bool onScreen = false,
                                          std::string executable = KELVANE_EXECUTABLE)
    {
        ProgramProcess::Options options;
        options.executable = std::move(executable);
        options.arguments = std::move(arguments);
        options.outputFolder = dir.path();
        // A zone with daylight-saving time and a known locale, whatever the machine has.
        // The update check goes to a local port where nothing listens, never to the network.
        options.setEnvironment = {{"XDG_DATA_HOME", dataHome},
                                  {"XDG_RUNTIME_DIR", runtimeDir},
                                  {"TZ", "America/New_York"},
                                  {"LC_ALL", "C"},
                                  {"KELVANE_UPDATE_URL", "https://127.0.0.1:1/updates/KelvaneUpdates.ver"}};
        if (onScreen) {
            options.unsetEnvironment = {"QT_QPA_PLATFORM"};
        } else {
            options.setEnvironment["QT_QPA_PLATFORM"] = "offscreen";
        }
        for (const auto& [name, value] : moreEnvironment) {
            options.setEnvironment[name] = value;
        }
        return std::make_unique<ProgramProcess>(options);
    }

    // The instance socket appears only once the first instance listens.
    bool WaitUntilListening() const
    {
        return PollUntil([this] { return fs::exists(runtimeDir + "/kelvane.sock"); }, 20s);
    }

    std::string DataFolder() const { return dataHome + "/Quillfen/Kelvane/"; }

    std::string ReadData(const std::string& name) const
    {
        std::ifstream in(DataFolder() + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void WriteData(const std::string& name, const std::string& bytes) const
    {
        fs::create_directories(DataFolder());
        std::ofstream(DataFolder() + name, std::ios::binary) << bytes;
    }

    // Starts the program, waits until it takes requests, and ends it with "/CLOSE".
    void RunOnceAndClose()
    {
        auto first = Start();
        ASSERT_TRUE(WaitUntilListening()) << first->Stderr();
        auto closer = Start({"/CLOSE"});
        ASSERT_EQ(first->WaitForExit(20s), 0) << first->Stderr();
    }

    TempDir dir;
    std::string dataHome = dir.path() + "/data";
    std::string runtimeDir = dir.path() + "/runtime";
    std::map<std::string, std::string> moreEnvironment; // given to every start, over the fixture's own
};

TEST_F(ProgramEndToEnd, CloseFromASecondStartSavesAndEndsTheFirst)
{
    auto first = Start();
    ASSERT_TRUE(WaitUntilListening()) << first->Stderr();
    EXPECT_FALSE(fs::exists(DataFolder() + "settings.ini"));

    auto second = Start({"/CLOSE"});
    EXPECT_EQ(second->WaitForExit(10s), 0);
    EXPECT_EQ(first->WaitForExit(20s), 0) << first->Stderr();

    std::ifstream in(DataFolder() + "settings.ini", std::ios::binary);
    const std::string settings((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(settings.find("[Settings]\r\nStartup=0\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("[PosSave]\r\nWindowState=0\r\n"), std::string::npos) << settings;
}

TEST_F(ProgramEndToEnd, VersionAndHelpAnswerAtOnceAndLeaveARunningInstanceAlone)
{
    auto first = Start();
    ASSERT_TRUE(WaitUntilListening()) << first->Stderr();
    for (const char* argument : {"--version", "--help"}) {
        auto asked = Start({argument});
        ASSERT_EQ(asked->WaitForExit(10s), 0) << argument;
        // Printed by this start itself: handed to the running instance, it would print nothing.
        const std::string expected = std::string(argument) == "--version" ? "Kelvane 1.01\n" : "Usage: kelvane";
        EXPECT_EQ(asked->Stdout().rfind(expected, 0), 0u) << asked->Stdout();
    }
    EXPECT_TRUE(first->Running());
    auto closer = Start({"/CLOSE"});
    EXPECT_EQ(first->WaitForExit(20s), 0) << first->Stderr();
}

TEST_F(ProgramEndToEnd, ATerminationSignalSavesEveryFileAndEnds)
{
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        fs::remove_all(DataFolder());
        auto program = Start();
        ASSERT_TRUE(WaitUntilListening()) << program->Stderr();
        program->Signal(number);
        EXPECT_EQ(program->WaitForExit(20s), 0) << "signal " << number << ": " << program->Stderr();
        for (const char* file : {"folderList.txt", "ssList.txt", "events.dat", "settings.ini"}) {
            EXPECT_TRUE(fs::exists(DataFolder() + file)) << "signal " << number << ": " << file;
        }
        ASSERT_TRUE(PollUntil([this] { return !fs::exists(runtimeDir + "/kelvane.sock"); }, 10s));
    }
}

TEST_F(ProgramEndToEnd, AFirstStartCreatesTheTwoExampleEvents)
{
    RunOnceAndClose();
    std::vector<ScheduledEvent> rows;
    const FakeTimeZone utc;
    EXPECT_FALSE(ParseEvents(ReadData("events.dat"), rows, utc, {}).Problem);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Name(), "Ribbons");
    EXPECT_EQ(rows[1].Name(), "Bubbles");
}

// A first start on a desktop that never ran Wine: the example events name files that are not there, so
// neither may start wine (which would build a whole Wine prefix behind the user's back) or become the
// active screensaver; the log says why instead.
TEST_F(ProgramEndToEnd, TheExampleEventsOfAFirstStartMakeNoWinePrefix)
{
    if (!fs::exists("/usr/bin/faketime")) {
        GTEST_SKIP() << "needs faketime";
    }
    const std::string home = dir.path() + "/home";
    const std::string prefix = dir.path() + "/no-prefix";
    const std::string bin = dir.path() + "/bin";
    const std::string wineStarts = dir.path() + "/wine-started";
    fs::create_directories(home);
    fs::create_directories(bin);
    // A stand-in for wine, first on the path, that does what matters here: it makes the prefix.
    std::ofstream(bin + "/wine") << "#!/bin/sh\nmkdir -p \"$WINEPREFIX\"\necho \"$@\" >> '" + wineStarts + "'\n";
    fs::permissions(bin + "/wine", fs::perms::owner_all);
    // The log is kept in a file at the end; a tolerance of a minute keeps each event due for four real
    // seconds under the fast clock below, however busy the machine.
    WriteData("settings.ini", "[Settings]\r\nLogIsOn=1\r\nSaveLog=1\r\nEventTimerTolerance=60\r\n");

    // The program's clock, its timers included, runs 30 times as fast: the events' times, 3 and 5 minutes
    // after the start, come within seconds.
    constexpr int kSpeed = 30;
    ProgramProcess::Options options;
    options.executable = "/usr/bin/faketime";
    options.arguments = {"-f", "@2030-01-01 12:00:00 x" + std::to_string(kSpeed), KELVANE_EXECUTABLE};
    options.outputFolder = dir.path();
    const char* asan = std::getenv("ASAN_OPTIONS");
    options.setEnvironment = {{"HOME", home},
                              {"XDG_DATA_HOME", dataHome},
                              {"XDG_CONFIG_HOME", home + "/.config"},
                              {"XDG_CACHE_HOME", home + "/.cache"},
                              {"XDG_RUNTIME_DIR", runtimeDir},
                              {"WINEPREFIX", prefix},
                              {"PATH", bin + ":/usr/bin:/bin"},
                              {"TZ", "UTC"},
                              {"LC_ALL", "C"},
                              {"QT_QPA_PLATFORM", "offscreen"},
                              // A sanitized build would refuse to start with the clock library loaded first.
                              {"ASAN_OPTIONS", std::string(asan ? asan : "") + ":verify_asan_link_order=0"},
                              {"KELVANE_UPDATE_URL", "https://127.0.0.1:1/updates/KelvaneUpdates.ver"}};
    ProgramProcess program(options);
    ASSERT_TRUE(WaitUntilListening()) << program.Stderr();
    // The scheduler saves its table in the pass that takes an event, just before that pass runs the
    // event's action. The pass runs whole in one timer call on the window's thread, and "/CLOSE" reaches
    // the program through that thread's event loop too: once the file shows both rows run, a "/CLOSE"
    // sent now is handled after their actions and log lines, which the exit then writes out.
    const auto bothHaveRun = [this] {
        std::vector<ScheduledEvent> rows;
        const FakeTimeZone utc;
        if (ParseEvents(ReadData("events.dat"), rows, utc, {}).Problem || rows.size() != 2) {
            return false;
        }
        return rows[0].HasRun() == "True" && rows[1].HasRun() == "True";
    };
    // Fake minutes pass in real seconds; the limit only turns a hang into a failure.
    ASSERT_TRUE(PollUntil(bothHaveRun, 120s)) << program.Stderr();
    auto closer = Start({"/CLOSE"});
    ASSERT_EQ(program.WaitForExit(20s), 0) << program.Stderr();

    const std::string log = ReadData("eventLog.txt");
    for (const char* name : {"Ribbons", "Bubbles"}) {
        std::string file = name;
        file[0] = static_cast<char>(file[0] - 'A' + 'a');
        EXPECT_NE(log.find("Event Procedure Called for " + std::string(name) +
                           "\r\nScreensaver file is missing, nothing done: C:\\Windows\\System32\\" + file +
                           ".scr\r\n"),
                  std::string::npos)
            << log;
    }
    EXPECT_NE(log.find("Next Event: No upcoming events found."), std::string::npos) << "both events have run";
    EXPECT_FALSE(fs::exists(wineStarts)) << "wine was started";
    EXPECT_FALSE(fs::exists(prefix));
    EXPECT_FALSE(fs::exists(home + "/.wine"));
    EXPECT_FALSE(fs::exists(home + "/.xscreensaver")) << "nothing was made the active screensaver";
    EXPECT_FALSE(fs::exists(home + "/.config/kelvane/desktop.ini")) << "nothing was made the active screensaver";
}

TEST_F(ProgramEndToEnd, AHandMadeEventsFileComesThroughARunIntact)
{
    // Instants in winter, in summer, and in the second pass through the repeated November hour.
    const auto at = [](int32_t month, int32_t day, int32_t hour, int32_t minute) {
        return EncodeDateTime({{2024, month, day}, {hour, minute, 0, 0}});
    };
    const std::string bytes = Count(4) + Row("winter", at(1, 15, 13, 30)) +
                              Row("summer", at(7, 4, 1, 15), "Daily Recurring Events") +
                              Row("fallback", at(11, 3, 6, 30)) + Row("Gl\xC3\xBChwein", at(12, 24, 23, 0));
    WriteData("events.dat", bytes);
    RunOnceAndClose();
    EXPECT_EQ(ReadData("events.dat"), bytes);
    EXPECT_FALSE(fs::exists(DataFolder() + "events.dat.bak"));
}

TEST_F(ProgramEndToEnd, ACutEventsFileKeepsItsWholeRowsAndACopy)
{
    const std::string whole = Count(2) + Row("kept", EncodeDate(2024, 5, 1));
    const std::string cut = whole + Row("cut", EncodeDate(2024, 5, 2)).substr(0, 20);
    WriteData("events.dat", cut);
    RunOnceAndClose();
    EXPECT_EQ(ReadData("events.dat.bak"), cut);
    EXPECT_EQ(ReadData("events.dat"), Count(1) + Row("kept", EncodeDate(2024, 5, 1)));
}

// The scheduler's progress is on disk before an event's action starts: a kill right after a catch-up
// ran does not make the next start run it again.
TEST_F(ProgramEndToEnd, AnEventCaughtUpBeforeAKillDoesNotRunAgainAtTheNextStart)
{
    // Loaded into the program itself rather than through the faketime command, which would stand between
    // the test and the program and take the kill in its place.
    const std::string fakeClock = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";
    if (!fs::exists(fakeClock)) {
        GTEST_SKIP() << "needs Debian's faketime (" << fakeClock << ")";
    }
    // Each event runs a script that adds its name to runs.txt.
    const std::string runs = dir.path() + "/runs.txt";
    const auto script = [&](const std::string& name) {
        const std::string path = dir.path() + "/" + name;
        std::ofstream(path) << "#!/bin/sh\necho " << name << " >> '" << runs << "'\n";
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace);
        return path;
    };
    const auto lines = [&](const std::string& name) {
        std::ifstream in(runs);
        std::string line;
        int count = 0;
        while (std::getline(in, line)) {
            count += line == name ? 1 : 0;
        }
        return count;
    };
    const auto at = [](int32_t day, int32_t hour, int32_t minute) {
        return EncodeDateTime({{2024, 5, day}, {hour, minute, 0, 0}});
    };
    // A daily event two days overdue, and one that falls due between the two starts and shows that the
    // second start has made its first pass.
    WriteData("events.dat", Count(2) + Row("daily", at(1, 8, 0), "Daily Recurring Events", "Run", script("daily")) +
                                Row("marker", at(3, 10, 3), "Minute-Based Events", "Run", script("marker")));
    // A pass every second; the log is kept, so that the second run's passes can be read after it.
    WriteData("settings.ini", "[Settings]\r\nEventTimerTolerance=4\r\nLogIsOn=1\r\nSaveLog=1\r\n");
    moreEnvironment = {{"LD_PRELOAD", fakeClock},
                       {"FAKETIME_DONT_FAKE_MONOTONIC", "1"}, // the timers keep real time
                       {"TZ", "UTC"},
                       // A sanitized build would refuse to start with the clock library loaded ahead of its runtime.
                       {"ASAN_OPTIONS", std::string(std::getenv("ASAN_OPTIONS") ? std::getenv("ASAN_OPTIONS") : "") +
                                            ":verify_asan_link_order=0"}};

    moreEnvironment["FAKETIME"] = "@2024-05-03 10:00:00";
    auto first = Start();
    ASSERT_TRUE(PollUntil([&] { return lines("daily") == 1; }, 30s)) << first->Stderr();
    // The action started after the save: the file already holds the event's next time.
    std::vector<ScheduledEvent> rows;
    const FakeTimeZone utc;
    ParseEvents(ReadData("events.dat"), rows, utc, {});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].EventTime(), "05/04/2024 08:00:00 AM");
    EXPECT_EQ(rows[0].RunCount(), "1");
    first->Signal(SIGKILL);
    ASSERT_TRUE(first->WaitForExit(10s).has_value());

    moreEnvironment["FAKETIME"] = "@2024-05-03 10:05:00";
    auto second = Start();
    ASSERT_TRUE(PollUntil([&] { return lines("marker") == 1; }, 30s)) << second->Stderr();
    auto closer = Start({"/CLOSE"});
    ASSERT_EQ(second->WaitForExit(20s), 0) << second->Stderr();
    const std::string log = ReadData("eventLog.txt");
    EXPECT_NE(log.find("Event Procedure Called for marker"), std::string::npos) << log;
    EXPECT_EQ(log.find("Event Procedure Called for daily"), std::string::npos) << log;
    EXPECT_EQ(lines("daily"), 1);
    rows.clear();
    ParseEvents(ReadData("events.dat"), rows, utc, {});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].RunCount(), "1");
}

// Data files left behind by a run as root, private to it: the program, run by the user, cannot read
// them. It says so at the start, and at the exit it leaves them as they were.
TEST_F(ProgramEndToEnd, DataFilesTheUserCannotReadAreNamedAndLeftAsTheyWere)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to give the data files to root while the program runs as another user";
    }
    const std::string setpriv = "/usr/bin/setpriv";
    if (!fs::exists(setpriv)) {
        GTEST_SKIP() << "needs setpriv (util-linux)";
    }
    constexpr uid_t user = 65534;
    const std::vector<std::string> asUser = {"--reuid=65534", "--regid=65534", "--clear-groups", KELVANE_EXECUTABLE};
    const std::string home = dir.path() + "/home";
    // The user passes through the test's folder and owns its own ones.
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::replace);
    fs::create_directories(home);
    fs::create_directories(DataFolder());
    for (const std::string& folder : {home, dataHome, dataHome + "/Quillfen", DataFolder(), runtimeDir}) {
        ASSERT_EQ(::chown(folder.c_str(), user, user), 0) << folder;
    }
    moreEnvironment = {{"HOME", home}};
    {
        auto version = Start({asUser[0], asUser[1], asUser[2], asUser[3], "--version"}, false, setpriv);
        if (version->WaitForExit(10s) != 0) {
            GTEST_SKIP() << "the user " << user << " cannot run " << KELVANE_EXECUTABLE << ": " << version->Stderr();
        }
    }
    const std::map<std::string, std::string> files = {
        {"ssList.txt", "/s/kept.scr\r\n"},
        {"folderList.txt", "/s\r\n"},
        {"events.dat", Count(1) + Row("kept", EncodeDate(2024, 5, 1))},
    };
    for (const auto& [name, bytes] : files) {
        WriteData(name, bytes);
        fs::permissions(DataFolder() + name, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    }

    auto program = Start(asUser, false, setpriv);
    ASSERT_TRUE(WaitUntilListening()) << program->Stderr();
    ASSERT_TRUE(
        PollUntil([&] { return program->Stderr().find("events.dat could not be read") != std::string::npos; }, 20s))
        << program->Stderr();
    auto closer = Start({asUser[0], asUser[1], asUser[2], asUser[3], "/CLOSE"}, false, setpriv);
    ASSERT_EQ(program->WaitForExit(20s), 0) << program->Stderr();

    const std::string said = program->Stderr();
    for (const auto& [name, bytes] : files) {
        const std::string file = DataFolder() + name;
        EXPECT_NE(said.find(file + " could not be read: the file cannot be opened: Permission denied"),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find(file + " was not written: it could not be read at the start"), std::string::npos) << said;
        EXPECT_EQ(ReadData(name), bytes) << name;
        struct stat info = {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 0u) << name;
        EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
    }
    EXPECT_FALSE(fs::exists(DataFolder() + "events.dat.bak")) << "nothing was read, so nothing is known to be damaged";
}

// A named pipe where a file belongs would hold a read until some program writes into it, which nothing
// does: the start goes on, names the file it could not read, and the program still ends when asked.
TEST_F(ProgramEndToEnd, APipeInPlaceOfAFileIsNamedAndHoldsNothingUp)
{
    const std::string home = dir.path() + "/home";
    fs::create_directories(home);
    fs::create_directories(DataFolder());
    ASSERT_EQ(::mkfifo((DataFolder() + "ssList.txt").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((home + "/.xscreensaver").c_str(), 0600), 0);
    // What the status bar is told is traced as diagnostic lines too.
    moreEnvironment = {{"HOME", home}, {"QT_LOGGING_RULES", "kelvane.debug=true"}};

    auto program = Start();
    ASSERT_TRUE(WaitUntilListening()) << program->Stderr();
    const std::string listSaid = DataFolder() + "ssList.txt could not be read: the file cannot be opened: it is not a "
                                                "regular file";
    EXPECT_TRUE(PollUntil([&] { return program->Stderr().find(listSaid) != std::string::npos; }, 20s))
        << program->Stderr();
    // XScreenSaver's file is the desktop's setting only where XScreenSaver is installed.
    if (std::system("command -v xscreensaver-command >/dev/null 2>&1") == 0) {
        const std::string settingsSaid = "Notice: XScreenSaver's settings cannot be read: the file cannot be "
                                         "opened: it is not a regular file";
        EXPECT_TRUE(PollUntil([&] { return program->Stderr().find(settingsSaid) != std::string::npos; }, 20s))
            << program->Stderr();
    }
    auto closer = Start({"/CLOSE"});
    ASSERT_EQ(program->WaitForExit(20s), 0) << program->Stderr();
    // Both are still the pipes they were: nothing was written over them.
    for (const std::string& pipe : {DataFolder() + "ssList.txt", home + "/.xscreensaver"}) {
        EXPECT_TRUE(fs::is_fifo(pipe)) << pipe;
    }
}

TEST_F(ProgramEndToEnd, CloseWithoutARunningInstanceEndsAtOnceAndWritesNothing)
{
    auto alone = Start({"/CLOSE"});
    EXPECT_EQ(alone->WaitForExit(10s), 0);
    ASSERT_TRUE(fs::is_directory(DataFolder()));
    EXPECT_TRUE(fs::is_empty(DataFolder()));
}

TEST_F(ProgramEndToEnd, TwoStartsAtTheSameMomentLeaveExactlyOne)
{
    auto a = Start();
    auto b = Start();
    ASSERT_TRUE(PollUntil([&] { return !a->Running() || !b->Running(); }, 20s));
    ProgramProcess& survivor = a->Running() ? *a : *b;
    ASSERT_TRUE(survivor.Running()) << "one of the two must keep running";
    ASSERT_TRUE(WaitUntilListening());

    auto closer = Start({"/CLOSE"});
    EXPECT_EQ(closer->WaitForExit(10s), 0);
    EXPECT_EQ(survivor.WaitForExit(20s), 0) << survivor.Stderr();
}

TEST_F(ProgramEndToEnd, ADataFolderThatCannotBeMadeIsReportedAndTheProgramRuns)
{
    std::ofstream(dataHome + "/Quillfen") << "a file where the vendor folder belongs";
    auto first = Start();
    ASSERT_TRUE(WaitUntilListening()) << first->Stderr();
    EXPECT_TRUE(
        PollUntil([&] { return first->Stderr().find("Unable to create the data folder") != std::string::npos; }, 10s))
        << first->Stderr();
    auto closer = Start({"/CLOSE"});
    EXPECT_EQ(first->WaitForExit(20s), 0);
    EXPECT_NE(first->Stderr().find("Unable to write to " + DataFolder() + "settings.ini"), std::string::npos)
        << first->Stderr();
}

TEST_F(ProgramEndToEnd, ABadLanguageFileStopsTheStartWithItsMessage)
{
    const struct
    {
        const char* name;
        std::optional<std::string> content;
        std::string message;
    } cases[] = {
        {"missing", std::nullopt, "Kelvane: Language file not found: "},
        {"array", "[1, 2]", "Kelvane: Failed to parse JSON language file. Error: "},
        {"english-less", R"({"Deutsch": {}})", "Kelvane: Language not found in JSON file: English"},
    };
    for (const auto& c : cases) {
        // A copy of the program in a folder of its own, where the language file is what the case says.
        const std::string folder = dir.path() + "/" + c.name;
        fs::create_directories(folder);
        const std::string copy = folder + "/kelvane";
        fs::copy_file(KELVANE_EXECUTABLE, copy);
        if (c.content) {
            std::ofstream(folder + "/language.json") << *c.content;
        }
        auto run = Start({}, false, copy);
        EXPECT_EQ(run->WaitForExit(20s), 1) << c.name;
        const std::string err = run->Stderr();
        EXPECT_EQ(err.rfind(c.message, 0), 0u) << c.name << ": " << err;
        if (!c.content) {
            EXPECT_NE(err.find(folder + "/language.json"), std::string::npos) << err;
        }
        EXPECT_FALSE(fs::exists(DataFolder() + "settings.ini")) << c.name;
        // The lock went with the failed process, so the next case starts as a first instance again.
    }
}

// The real program scanning a tree of 100,000 screensaver files (under three spellings of its folder,
// so that the scan outlasts the request) when it is asked to end.
class ProgramScanningABigTree : public ProgramEndToEnd
{
protected:
    static constexpr int Folders = 100;
    static constexpr int FilesPerFolder = 1000;

    void SetUp() override
    {
        if (!desktop.Open() || !fs::exists(Xdotool)) {
            GTEST_SKIP() << "needs an X display (run under xvfb-run) and " << Xdotool;
        }
        if (!tree) {
            MakeTree();
        }
    }
    static void TearDownTestSuite() { tree.reset(); }

    // Made once for all cases of the suite.
    static void MakeTree()
    {
        tree = std::make_unique<TempDir>();
        // Empty files, each folder's made once and linked under every other name: far quicker than
        // creating 100,000 files.
        for (int folder = 0; folder < Folders; ++folder) {
            const fs::path path = fs::path(tree->path()) / ("d" + std::to_string(folder));
            fs::create_directory(path);
            std::ofstream(path / "s0.scr").close();
            for (int file = 1; file < FilesPerFolder; ++file) {
                fs::create_hard_link(path / "s0.scr", path / ("s" + std::to_string(file) + ".scr"));
            }
        }
    }

    std::vector<std::string> FolderLines() const { return {tree->path(), tree->path() + "/.", tree->path() + "/./."}; }

    // Every row a whole scan adds, in order: the files as the file system lists them, folder by folder.
    std::vector<std::string> WholeScan() const
    {
        std::vector<std::string> below;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tree->path())) {
            if (entry.is_regular_file()) {
                below.push_back(entry.path().lexically_relative(tree->path()).string());
            }
        }
        std::vector<std::string> rows;
        for (const std::string& line : FolderLines()) {
            for (const std::string& file : below) {
                rows.push_back(line + "/" + file);
            }
        }
        return rows;
    }

    bool RunXdotool(const std::vector<std::string>& arguments)
    {
        ProgramProcess::Options options;
        options.executable = Xdotool;
        options.arguments = arguments;
        options.outputFolder = dir.path();
        ProgramProcess xdotool(options);
        return xdotool.WaitForExit(20s) == 0;
    }

    // Whether the program holds a folder of the tree open: its scan walks there.
    static bool Walking(const ProgramProcess& program, const std::string& folder)
    {
        std::error_code ec;
        for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(program.Pid()) + "/fd", ec)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError).string().rfind(folder, 0) == 0) {
                return true;
            }
        }
        return false;
    }

    // Starts the program on the display with the tree in its folder list and presses "Find Screensavers";
    // returns once the scan walks the tree.
    std::unique_ptr<ProgramProcess> StartScanning()
    {
        fs::remove_all(DataFolder());
        std::string folderList;
        for (const std::string& line : FolderLines()) {
            folderList += line + "\r\n";
        }
        WriteData("folderList.txt", folderList);
        auto program = Start({}, true);
        std::optional<unsigned long> window;
        EXPECT_TRUE(PollUntil([&] { return (window = desktop.VisibleWindow("Kelvane")).has_value(); }, 20s))
            << program->Stderr();
        // "Find Screensavers" is the first control after the tabs.
        EXPECT_TRUE(window && RunXdotool({"windowfocus", "--sync", std::to_string(*window)}) &&
                    RunXdotool({"key", "Tab", "space"}));
        EXPECT_TRUE(PollUntil([&] { return Walking(*program, tree->path()); }, 20s))
            << "the scan never started: Tab and Space were to press \"Find Screensavers\"";
        return program;
    }

    // The program ended promptly after the request at `asked`, and saved the rows found so far, in order.
    void ExpectEndedAndSaved(ProgramProcess& program, std::chrono::steady_clock::time_point asked,
                             const std::string& how)
    {
        ASSERT_EQ(program.WaitForExit(20s), 0) << how << ": " << program.Stderr();
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
        RecordProperty(how + "_ms", static_cast<int>(took.count()));
        // Not a speed check: the end must not wait for the scan, which takes minutes. The bound leaves room
        // for a loaded machine under the sanitizers, where ending takes seconds.
        EXPECT_LT(took, 10s) << how << ": the program ended " << took.count() << " ms after the request";

        const std::string saved = ReadData("ssList.txt");
        std::vector<std::string> rows;
        for (size_t start = 0; start < saved.size();) {
            const size_t end = saved.find("\r\n", start);
            ASSERT_NE(end, std::string::npos) << how << ": every row ends with CR LF";
            rows.push_back(saved.substr(start, end - start));
            start = end + 2;
        }
        const std::vector<std::string> whole = WholeScan();
        ASSERT_LT(rows.size(), whole.size()) << how << ": the scan had ended before the request; nothing was shown";
        EXPECT_TRUE(std::equal(rows.begin(), rows.end(), whole.begin()))
            << how << ": the rows found so far, in the order the scan found them";
        for (const char* file : {"folderList.txt", "events.dat", "settings.ini"}) {
            EXPECT_TRUE(fs::exists(DataFolder() + file)) << how << ": " << file;
        }
        EXPECT_EQ(ReadData("folderList.txt").substr(0, tree->path().size()), tree->path()) << how;
    }

    static constexpr const char* Xdotool = "/usr/bin/xdotool";
    static inline std::unique_ptr<TempDir> tree;
    X11Desktop desktop;
};

TEST_F(ProgramScanningABigTree, EveryExitEndsAtOnceAndSavesWhatTheScanFound)
{
    std::unique_ptr<ProgramProcess> closer;
    const struct
    {
        const char* how;
        std::function<void(ProgramProcess&)> ask;
    } cases[] = {
        {"close_request", [&](ProgramProcess&) { closer = Start({"/CLOSE"}); }},
        {"sigterm", [](ProgramProcess& program) { program.Signal(SIGTERM); }},
        {"file_exit",
         [this](ProgramProcess&) {
             EXPECT_TRUE(RunXdotool({"key", "alt+f", "Return"}));
         }},
    };
    for (const auto& c : cases) {
        auto program = StartScanning();
        if (HasFailure()) {
            return;
        }
        const auto asked = std::chrono::steady_clock::now();
        c.ask(*program);
        ExpectEndedAndSaved(*program, asked, c.how);
        closer.reset();
    }
}

// Runs the program on the X display beside a notification area, as a desktop has one.
class ProgramOnADesktop : public ProgramEndToEnd
{
protected:
    void SetUp() override
    {
        if (!desktop.Open() || !fs::exists(TrayProgram)) {
            GTEST_SKIP() << "needs an X display (run under xvfb-run) and " << TrayProgram;
        }
        // The tray of an earlier test keeps its hold on the display for a moment after it is killed.
        ASSERT_TRUE(PollUntil([this] { return !desktop.HasTray(); }, 20s)) << "another tray runs on this display";
        ProgramProcess::Options options;
        options.executable = TrayProgram;
        options.arguments = {"--edge",  "bottom", "--align",  "right", "--widthtype",   "pixel",
                             "--width", "200",    "--height", "32",    "--SetDockType", "true"};
        options.outputFolder = dir.path();
        tray = std::make_unique<ProgramProcess>(options);
        ASSERT_TRUE(PollUntil([this] { return desktop.HasTray(); }, 20s)) << tray->Stderr();
    }

    void TearDown() override
    {
        if (tray) {
            tray.reset();
            PollUntil([this] { return !desktop.HasTray(); }, 20s);
        }
    }

    bool Shown() const { return desktop.VisibleWindow("Kelvane").has_value(); }

    static constexpr const char* TrayProgram = "/usr/bin/trayer";
    X11Desktop desktop;
    std::unique_ptr<ProgramProcess> tray;
};

TEST_F(ProgramOnADesktop, ClosingHidesToTheTrayAndASecondStartBringsTheWindowBack)
{
    auto first = Start({}, true);
    ASSERT_TRUE(WaitUntilListening()) << first->Stderr();
    ASSERT_TRUE(PollUntil([this] { return Shown(); }, 20s)) << first->Stderr();

    desktop.RequestClose(*desktop.VisibleWindow("Kelvane"));
    EXPECT_TRUE(PollUntil([this] { return !Shown(); }, 20s)) << "hidden to the tray";
    EXPECT_TRUE(first->Running()) << "a title-bar close never ends the program";

    auto second = Start({}, true);
    EXPECT_EQ(second->WaitForExit(10s), 0);
    EXPECT_TRUE(PollUntil([this] { return Shown(); }, 20s)) << first->Stderr();

    auto closer = Start({"/CLOSE"});
    EXPECT_EQ(first->WaitForExit(20s), 0) << first->Stderr();
    for (const char* file : {"folderList.txt", "ssList.txt", "events.dat", "settings.ini"}) {
        EXPECT_TRUE(fs::exists(DataFolder() + file)) << file;
    }
}

TEST_F(ProgramOnADesktop, StartMinimisedWaitsInTheTray)
{
    fs::create_directories(DataFolder());
    std::ofstream(DataFolder() + "settings.ini") << "[Settings]\r\nStartMin=1\r\n";
    auto first = Start({}, true);
    ASSERT_TRUE(WaitUntilListening()) << first->Stderr();
    EXPECT_FALSE(Shown()) << "starts hidden";

    auto second = Start({}, true);
    EXPECT_EQ(second->WaitForExit(10s), 0);
    EXPECT_TRUE(PollUntil([this] { return Shown(); }, 20s)) << first->Stderr();

    auto closer = Start({"/CLOSE"});
    EXPECT_EQ(first->WaitForExit(20s), 0) << first->Stderr();
}

} // namespace
} // namespace kelvane::test
