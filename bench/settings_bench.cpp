// What the open-per-call settings helpers cost: one read, one write, and the whole exit sequence
// (every key of the section "Settings", the column widths and the placement).
#include "settings/SettingsFile.h"
#include "settings/fileFunc.h"

#include <benchmark/benchmark.h>

#include <filesystem>
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
        benchmark::DoNotOptimize(kelvane::ReadWindowSettings(file, {1920, 1080}));
        benchmark::DoNotOptimize(kelvane::ReadProgramSettings(file, kelvane::RotationAction::ActivateOnly));
        benchmark::DoNotOptimize(kelvane::ReadColumnWidths(file, false, std::vector<int32_t>(11, 100)));
    }
}
BENCHMARK(BM_ReadAllAtStart)->Unit(benchmark::kMillisecond);

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
