// What the open-per-call settings helpers cost: one read, one write, all the reads of a start (from a
// small file and from one of about 50 MB), and the whole exit sequence (every key of the section
// "Settings", the column widths and the placement).
#include "common/FileIO.h"
#include "settings/SettingsFile.h"
#include "settings/fileFunc.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string PrepareFile()
{
    const auto folder = std::filesystem::temp_directory_path() / "kelvane-settings-bench";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "settings.ini").string();
    std::filesystem::remove(file);
    kelvane::ProgramSettings settings;
    (void)kelvane::WriteProgramSettings(file, {}, settings);
    (void)kelvane::WriteColumnWidths(file, false, std::vector<int32_t>(11, 100));
    (void)kelvane::WriteWindowPlacement(file, kelvane::WindowState::Normal, {});
    return file;
}

// A settings file of about 50 MB: 800 sections the program does not know (left by another program, or
// by a later version), each of a thousand paths, before the program's own sections, and
// 50,000 unknown keys inside its section "Settings" ahead of its own keys.
std::string PrepareLargeFile()
{
    const std::string small = PrepareFile();
    const std::string file = small + ".large";
    std::string text;
    for (int section = 0; section < 800; ++section) {
        text += "[Plugin" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 1000; ++key) {
            text += "Entry" + std::to_string(key) + "=C:\\Program Files\\Vendor\\Screensavers\\Saver" +
                    std::to_string(key) + ".scr\r\n";
        }
    }
    text += "[Settings]\r\n";
    for (int key = 0; key < 50'000; ++key) {
        text += "Unknown" + std::to_string(key) + "=a value some other version wrote\r\n";
    }
    std::ifstream own(small, std::ios::binary);
    const std::string ownText((std::istreambuf_iterator<char>(own)), std::istreambuf_iterator<char>());
    // The program's own file starts with its section "Settings", whose header is already written.
    text += ownText.substr(ownText.find('\n') + 1);
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

// Every read a start makes (the style, the window, the section "Settings", the column widths), from one
// read of the file.
void ReadAllAtStart(const std::string& file)
{
    const kelvane::IniValues stored = kelvane::ReadIniValues(file);
    benchmark::DoNotOptimize(kelvane::ReadIniString(stored, "Settings", "Skin", ""));
    benchmark::DoNotOptimize(kelvane::ReadWindowSettings(stored, {1920, 1080}));
    benchmark::DoNotOptimize(kelvane::ReadProgramSettings(stored, kelvane::RotationAction::ActivateOnly));
    benchmark::DoNotOptimize(kelvane::ReadColumnWidths(stored, false, std::vector<int32_t>(11, 100)));
}

void BM_ReadOneKey(benchmark::State& state)
{
    const std::string file = PrepareFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelvane::ReadIniInteger(file, "Settings", "EventTimerTolerance", 20));
    }
}
BENCHMARK(BM_ReadOneKey);

void BM_WriteOneKey(benchmark::State& state)
{
    const std::string file = PrepareFile();
    int32_t value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelvane::WriteIniInteger(file, "Settings", "Interval", ++value).ok());
    }
}
BENCHMARK(BM_WriteOneKey);

void BM_ReadAllAtStart(benchmark::State& state)
{
    const std::string file = PrepareFile();
    for (auto _ : state) {
        ReadAllAtStart(file);
    }
}
BENCHMARK(BM_ReadAllAtStart)->Unit(benchmark::kMillisecond);

// The same reads from the large file.
void BM_ReadAllAtStartLargeFile(benchmark::State& state)
{
    const std::string file = PrepareLargeFile();
    if (kelvane::ReadIniInteger(file, "NormalColumnWidths", "Column10", 0) != 100) {
        state.SkipWithError("the large file does not hold the program's own keys");
        return;
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    for (auto _ : state) {
        ReadAllAtStart(file);
    }
}
BENCHMARK(BM_ReadAllAtStartLargeFile)->Unit(benchmark::kMillisecond);

// Only the bytes of the large file, read as the load reads them: the part of its figure that no parsing
// can save.
void BM_ReadLargeFileBytes(benchmark::State& state)
{
    const std::string file = PrepareLargeFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelvane::ReadFileBytes(file).ok());
    }
}
BENCHMARK(BM_ReadLargeFileBytes)->Unit(benchmark::kMillisecond);

void BM_WriteAllAtExit(benchmark::State& state)
{
    const std::string file = PrepareFile();
    kelvane::ProgramSettings settings;
    for (auto _ : state) {
        kelvane::IniFileEdit edit(file);
        kelvane::PutProgramSettings(edit, {}, settings);
        kelvane::PutColumnWidths(edit, false, std::vector<int32_t>(11, 100));
        kelvane::PutWindowPlacement(edit, kelvane::WindowState::Normal, {});
        benchmark::DoNotOptimize(edit.Commit().ok());
    }
}
BENCHMARK(BM_WriteAllAtExit)->Unit(benchmark::kMillisecond);

// The same keys, one write of the file each, as the exit once wrote them: the figure to compare with.
void BM_WriteEachKeyAtExit(benchmark::State& state)
{
    const std::string file = PrepareFile();
    kelvane::ProgramSettings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kelvane::WriteStartupFlags(file, {}).ok());
        for (const char* key : {"Interval", "SwitchEnabled", "Action", "LogIsOn", "SaveLog", "UpdatesNotify",
                                "MaxLogLines", "EventTimerEnabled", "EventTimerInterval", "EventTimerTolerance"}) {
            benchmark::DoNotOptimize(kelvane::WriteIniInteger(file, "Settings", key, 1).ok());
        }
        benchmark::DoNotOptimize(kelvane::WriteIniString(file, "Settings", "Skin", settings.Skin).ok());
        for (int column = 0; column < 11; ++column) {
            benchmark::DoNotOptimize(
                kelvane::WriteIniInteger(file, "NormalColumnWidths", "Column" + std::to_string(column), 100).ok());
        }
        benchmark::DoNotOptimize(kelvane::WriteWindowPlacement(file, kelvane::WindowState::Normal, {}).ok());
    }
}
BENCHMARK(BM_WriteEachKeyAtExit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
