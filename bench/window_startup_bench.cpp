// Start-up to the window shown: the program with 5,000 list rows and 2,000 events against a bare Qt
// main window, each started as a fresh process on the same X display (run under xvfb-run), timed from
// the start until a window titled "Kelvane" is mapped. Prints the medians and their ratio.
#include "BenchSupport.h"
#include "e2e/ProgramProcess.h"
#include "e2e/X11Desktop.h"
#include "support/EventsFixture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using kelvane::test::ProgramProcess;

constexpr int ListRows = 5000;
constexpr int EventRows = 2000;
constexpr int Rounds = 7;

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A data folder with the list's files present on disk, so that their icons are really looked up.
void PrepareData(const fs::path& root)
{
    const fs::path data = root / "data/Quillfen/Kelvane";
    const fs::path screensavers = root / "screensavers";
    fs::create_directories(data);
    fs::create_directories(screensavers);
    std::string list;
    for (int i = 0; i < ListRows; ++i) {
        const fs::path file = screensavers / ("saver" + std::to_string(i) + ".scr");
        WriteFile(file, "MZ");
        list += file.string() + "\r\n";
    }
    WriteFile(data / "ssList.txt", list);
    std::string events = kelvane::test::Count(EventRows);
    for (int i = 0; i < EventRows; ++i) {
        events += kelvane::test::Row("event " + std::to_string(i), 46000.0 + i, "Daily Recurring Events");
    }
    WriteFile(data / "events.dat", events);
}

ProgramProcess::Options Launch(const std::string& executable, const fs::path& root, std::vector<std::string> args)
{
    ProgramProcess::Options options;
    options.executable = executable;
    options.arguments = std::move(args);
    options.outputFolder = root.string();
    options.setEnvironment = {{"XDG_DATA_HOME", (root / "data").string()},
                              {"XDG_RUNTIME_DIR", (root / "runtime").string()},
                              {"XDG_CONFIG_HOME", (root / "config").string()}};
    options.unsetEnvironment = {"QT_QPA_PLATFORM"};
    return options;
}

// Milliseconds from the start of the process until its window is mapped; nothing when none came.
std::optional<double> TimeToWindow(const kelvane::test::X11Desktop& desktop, const ProgramProcess::Options& options)
{
    const auto start = std::chrono::steady_clock::now();
    auto process = std::make_unique<ProgramProcess>(options);
    while (!desktop.VisibleWindow("Kelvane")) {
        if (std::chrono::steady_clock::now() - start > 60s || !process->Running()) {
            std::fprintf(stderr, "no window from %s: %s\n", options.executable.c_str(), process->Stderr().c_str());
            return std::nullopt;
        }
        std::this_thread::sleep_for(2ms); // looks at the display without crowding it
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (options.executable == KELVANE_PROGRAM) {
        ProgramProcess closer(Launch(options.executable, options.outputFolder, {"/CLOSE"}));
        closer.WaitForExit(20s);
        process->WaitForExit(20s);
    }
    process.reset(); // kills the bare window
    kelvane::test::PollUntil([&] { return !desktop.VisibleWindow("Kelvane"); }, 20s);
    return ms;
}

} // namespace

int main()
{
    const kelvane::test::X11Desktop desktop;
    if (!desktop.Open()) {
        std::fprintf(stderr, "needs an X display: run under xvfb-run\n");
        return 1;
    }
    const fs::path root = fs::temp_directory_path() / ("kelvane-window-bench-" + std::to_string(::getpid()));
    fs::create_directories(root / "runtime");
    fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    PrepareData(root);

    std::vector<double> program;
    std::vector<double> bare;
    for (int round = 0; round < Rounds; ++round) {
        const auto programTime = TimeToWindow(desktop, Launch(KELVANE_PROGRAM, root, {}));
        const auto bareTime = TimeToWindow(desktop, Launch(KELVANE_BARE_WINDOW, root, {}));
        if (!programTime || !bareTime) {
            fs::remove_all(root);
            return 1;
        }
        program.push_back(*programTime);
        bare.push_back(*bareTime);
    }
    const double programMedian = kelvane::bench::Median(program);
    const double bareMedian = kelvane::bench::Median(bare);
    std::printf("window shown, %d list rows and %d events: median %.1f ms over %d starts\n", ListRows, EventRows,
                programMedian, Rounds);
    std::printf("bare Qt main window:                        median %.1f ms\n", bareMedian);
    std::printf("ratio: %.2f (aim: at most 1.5)\n", programMedian / bareMedian);
    fs::remove_all(root);
    return 0;
}
