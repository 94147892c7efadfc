// Start-up to the window shown: the program with 5,000 list rows and 2,000 events, and again with
// 50,000 list rows and 25,000 events, against a bare Qt main window with one table, each started as a
// fresh process on the same X display (run under xvfb-run), timed from the start until a window titled
// "Kelvane" is mapped. Prints the medians, their ratios, and the memory each process has resident then.
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

struct Scale
{
    int ListRows;
    int EventRows;
    int Rounds;
};

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A data folder with the list's files present on disk, so that their icons are really looked up.
void PrepareData(const fs::path& root, const Scale& scale)
{
    const fs::path data = root / "data/Quillfen/Kelvane";
    const fs::path screensavers = root / "screensavers";
    fs::create_directories(data);
    fs::create_directories(screensavers);
    std::string list;
    for (int i = 0; i < scale.ListRows; ++i) {
        const fs::path file = screensavers / ("saver" + std::to_string(i) + ".scr");
        WriteFile(file, "MZ");
        list += file.string() + "\r\n";
    }
    WriteFile(data / "ssList.txt", list);
    std::string events = kelvane::test::Count(scale.EventRows);
    for (int i = 0; i < scale.EventRows; ++i) {
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

// The memory the process has resident, in megabytes; nothing when it cannot be read.
std::optional<double> ResidentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return std::nullopt;
}

struct Start
{
    double Milliseconds = 0;
    double ResidentMegabytes = 0;
};

// Milliseconds from the start of the process until its window is mapped, and its resident memory
// then; nothing when no window came.
std::optional<Start> TimeToWindow(const kelvane::test::X11Desktop& desktop, const ProgramProcess::Options& options)
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
    const double resident = ResidentMegabytes(process->Pid()).value_or(0.0);
    if (options.executable == KELVANE_PROGRAM) {
        ProgramProcess closer(Launch(options.executable, options.outputFolder, {"/CLOSE"}));
        closer.WaitForExit(20s);
        process->WaitForExit(20s);
    }
    process.reset(); // kills the bare window
    kelvane::test::PollUntil([&] { return !desktop.VisibleWindow("Kelvane"); }, 20s);
    return Start{ms, resident};
}

// The medians of several starts of each, taken in turns; false when a start failed.
bool Compare(const kelvane::test::X11Desktop& desktop, const Scale& scale)
{
    const fs::path root = fs::temp_directory_path() / ("kelvane-window-bench-" + std::to_string(::getpid()));
    fs::create_directories(root / "runtime");
    fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    PrepareData(root, scale);

    std::vector<double> program, bare, programMemory, bareMemory;
    for (int round = 0; round < scale.Rounds; ++round) {
        const auto programStart = TimeToWindow(desktop, Launch(KELVANE_PROGRAM, root, {}));
        const auto bareStart = TimeToWindow(desktop, Launch(KELVANE_BARE_WINDOW, root, {}));
        if (!programStart || !bareStart) {
            fs::remove_all(root);
            return false;
        }
        program.push_back(programStart->Milliseconds);
        bare.push_back(bareStart->Milliseconds);
        programMemory.push_back(programStart->ResidentMegabytes);
        bareMemory.push_back(bareStart->ResidentMegabytes);
    }
    fs::remove_all(root);
    using kelvane::bench::Median;
    std::printf("%d list rows and %d events, medians of %d starts:\n", scale.ListRows, scale.EventRows, scale.Rounds);
    std::printf("  window shown   %8.1f ms, %6.1f MB resident\n", Median(program), Median(programMemory));
    std::printf("  bare window    %8.1f ms, %6.1f MB resident\n", Median(bare), Median(bareMemory));
    std::printf("  ratio          %8.2f    %8.2f\n", Median(program) / Median(bare),
                Median(programMemory) / Median(bareMemory));
    return true;
}

} // namespace

int main()
{
    const kelvane::test::X11Desktop desktop;
    if (!desktop.Open()) {
        std::fprintf(stderr, "needs an X display: run under xvfb-run\n");
        return 1;
    }
    // The first scale's aim is a time ratio of at most 1.2; the second's, at most 2 in time and memory.
    if (!Compare(desktop, {5000, 2000, 7}) || !Compare(desktop, {50000, 25000, 5})) {
        return 1;
    }
    return 0;
}
