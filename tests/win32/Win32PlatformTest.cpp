#include "TestPaths.h"
#include "app/Startup.h"
#include "platform/win32/Win32PathsAndInstance.h"
#include "platform/win32/Win32ProcessesAndInput.h"
#include "platform/win32/Win32RegionalSettings.h"
#include "platform/win32/Win32ScreensaverSetting.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <windows.h>

namespace kelvane::platform {
namespace {

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Runs the thread's window messages until the condition holds or five seconds pass.
template <typename Condition>
bool PumpUntil(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

TEST(Win32Setting, TheRegistryValueIsWrittenReadAndDeleted)
{
    Win32ScreensaverSetting setting;
    setting.ClearActiveScreensaverPath();
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "") << "a missing value reads as nothing set";
    const std::string path = "C:\\Screen Savers\\Zo\xC3\xAB's ribbons.scr";
    setting.WriteActiveScreensaverPath(path);
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), path);
    setting.ClearActiveScreensaverPath();
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");

    std::string windows = setting.WindowsFolder();
    std::transform(windows.begin(), windows.end(), windows.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_EQ(windows, "c:\\windows");
}

TEST(Win32Setting, TheRunValueIsQuotedWhenThePathHoldsABlank)
{
    Win32AutostartEntry autostart;
    autostart.EnableAutostart("C:\\Program Files\\Kelvane\\kelvane.exe");
    EXPECT_EQ(autostart.ReadAutostart(), "\"C:\\Program Files\\Kelvane\\kelvane.exe\"");
    autostart.EnableAutostart("C:\\Kelvane\\kelvane.exe");
    EXPECT_EQ(autostart.ReadAutostart(), "C:\\Kelvane\\kelvane.exe");
    autostart.DisableAutostart();
    EXPECT_EQ(autostart.ReadAutostart(), std::nullopt);
}

TEST(Win32Paths, TheDataFolderLiesInTheRoamingApplicationData)
{
    Win32PathsAndInstance paths;
    const std::string appData = paths.AppDataFolder();
    EXPECT_TRUE(EndsWith(appData, "\\AppData\\Roaming")) << appData;
    EXPECT_TRUE(EndsWith(FormDataFolder(appData), "\\AppData\\Roaming\\Quillfen\\Kelvane\\"));
    EXPECT_TRUE(EndsWith(paths.ExecutableFolder(), "\\")) << paths.ExecutableFolder();
}

TEST(Win32Instance, TheMutexDecidesAndTheWindowTakesBothRequests)
{
    Win32PathsAndInstance first;
    ASSERT_TRUE(first.AcquireInstanceLock());
    Win32PathsAndInstance second;
    EXPECT_FALSE(second.AcquireInstanceLock());

    std::vector<InstanceRequest> received;
    first.ListenForInstanceRequests([&received](InstanceRequest request) { received.push_back(request); });
    second.PostInstanceRequest(InstanceRequest::Show);
    second.PostInstanceRequest(InstanceRequest::Exit);
    EXPECT_TRUE(PumpUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (std::vector<InstanceRequest>{InstanceRequest::Show, InstanceRequest::Exit}));
}

TEST(Win32Regional, TheLocalesSeparatorsAndPatterns)
{
    const RegionalFormats formats = Win32RegionalSettings().Read();
    // Wine's default user locale is English (United States).
    EXPECT_EQ(formats.DateSeparator, "/");
    EXPECT_EQ(formats.TimeSeparator, ":");
    EXPECT_EQ(formats.DecimalSeparator, ".");
    EXPECT_EQ(formats.ShortDatePattern, "M/d/yyyy");
    EXPECT_EQ(formats.LongTimePattern, "h:mm:ss tt");
}

// The test screensaver, copied under another name into a folder of its own.
class TestScreensaver : public testing::Test
{
protected:
    TestScreensaver()
    {
        std::string source = KELVANE_TEST_SCREENSAVER;
        std::replace(source.begin(), source.end(), '/', '\\');
        std::filesystem::copy_file(Widen("Z:" + source), Widen(copy));
        SetEnvironmentVariableW(L"KELVANE_TEST_RECORD", Widen(record).c_str());
    }
    ~TestScreensaver() override
    {
        // Whatever the test did, nothing it started stays behind.
        while (const auto pid = processes.FindProcessByExeName(copy)) {
            if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(*pid))) {
                TerminateProcess(process, 0);
                WaitForSingleObject(process, 5000);
                CloseHandle(process);
            }
        }
    }

    std::string Recorded() const
    {
        std::ifstream in(std::filesystem::path(Widen(record)));
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    test::TempDir dir;
    std::string copy = dir.path() + "\\Ribbons.SCR";
    std::string record = dir.path() + "\\record.txt";
    Win32ProcessesAndInput processes;
};

TEST_F(TestScreensaver, RunHandsItSlashSAndTheSearchFindsItByName)
{
    Win32Shell().RunScreensaverFile(copy);
    EXPECT_TRUE(PumpUntil([&] { return Recorded() == "/s\n"; })) << Recorded();
    EXPECT_TRUE(PumpUntil([&] { return processes.FindProcessByExeName("C:\\Elsewhere\\ribbons.scr").has_value(); }))
        << "found from another folder, in other letter case";
    EXPECT_FALSE(processes.FindProcessByExeName("C:\\Elsewhere\\ribbons.sc").has_value());
}

} // namespace
} // namespace kelvane::platform
