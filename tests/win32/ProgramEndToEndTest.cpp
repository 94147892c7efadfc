// The real kelvane.exe under Wine: its window, the second start, the exit through "/CLOSE", and two
// scheduled events that act through the registry and the shell.
#include "ChildProcess.h"
#include "TestPaths.h"
#include "common/Clock.h"
#include "common/EventDateTimeText.h"
#include "common/SystemClock.h"
#include "platform/win32/Win32ProcessesAndInput.h"
#include "platform/win32/Win32RegionalSettings.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32TimeZone.h"
#include "scheduler/EventsFile.h"
#include "settings/fileFunc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <shlobj.h> // after windows.h, whose types it uses
#include <thread>
#include <windows.h>

namespace kelvane::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A path of the Linux side as Wine's Z: drive shows it.
std::wstring WinePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return Widen("Z:" + path);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds limit = 30s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

// The shown top-level windows titled "Kelvane" (the hidden request window has the title too).
int ShownMainWindows()
{
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t title[64] = {};
            GetWindowTextW(window, title, 64);
            if (IsWindowVisible(window) && std::wstring(title) == L"Kelvane") {
                ++*reinterpret_cast<int*>(found);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

std::wstring ActiveScreensaverSetting()
{
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"SCRNSAVE.EXE", RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

class Program : public test::ChildProcess
{
public:
    explicit Program(const std::wstring& arguments = {}) : ChildProcess(CommandLine(arguments)) {}

    std::optional<DWORD> WaitForExit(DWORD milliseconds = 30000) { return ChildProcess::WaitForExit(milliseconds); }

private:
    static std::wstring CommandLine(const std::wstring& arguments)
    {
        std::wstring command = L"\"" + WinePath(KELVANE_EXECUTABLE) + L"\"";
        if (!arguments.empty()) {
            command += L" " + arguments;
        }
        return command;
    }
};

class ProgramOnWindows : public testing::Test
{
protected:
    ProgramOnWindows()
    {
        wchar_t appData[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
        dataFolder = fs::path(appData) / L"Quillfen" / L"Kelvane";
        fs::remove_all(dataFolder);
        fs::create_directories(dataFolder);
        fs::create_directories(scratch);
        fs::copy_file(WinePath(KELVANE_TEST_SCREENSAVER), activated, fs::copy_options::overwrite_existing);
        fs::copy_file(WinePath(KELVANE_TEST_SCREENSAVER), ran, fs::copy_options::overwrite_existing);
        fs::remove(record);
        SetEnvironmentVariableW(L"KELVANE_TEST_RECORD", record.c_str());
        // The update check goes to a port where nothing listens, never to the network.
        SetEnvironmentVariableW(L"KELVANE_UPDATE_URL", L"https://127.0.0.1:1/updates/KelvaneUpdates.ver");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"SCRNSAVE.EXE");
    }
    ~ProgramOnWindows() override
    {
        // The screensaver the event ran stays behind on its own for a while.
        for (const fs::path& screensaver : {activated, ran}) {
            while (const auto pid = processes.FindProcessByExeName(Narrow(screensaver.wstring()))) {
                if (const HANDLE process =
                        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(*pid))) {
                    TerminateProcess(process, 0);
                    WaitForSingleObject(process, 5000);
                    CloseHandle(process);
                }
            }
        }
    }

    // Two one-time events due a few seconds after the start: one makes a file the active screensaver,
    // the other runs one.
    void ScheduleTwoEvents()
    {
        const Win32TimeZone zone;
        const Win32RegionalSettings regional;
        const SystemClock clock(zone);
        const RegionalFormats formats = regional.Read();
        std::vector<ScheduledEvent> rows;
        for (const auto& [name, action, file] :
             {std::tuple{"made active", "Activate", activated}, std::tuple{"run", "Run", ran}}) {
            ScheduledEvent row;
            row.Enabled = true;
            row.SetName(name);
            row.SetEventTime(FormatEventDateTime(clock.Now() + 8 * OneSecond, formats));
            row.SetCloseCommand("False");
            row.SetAction(action);
            row.SetScreensaver(Narrow(file.wstring()));
            row.SetEventType("One-Time Events");
            row.SetLastRun(ZeroDateTimeText(formats));
            rows.push_back(row);
        }
        const auto bytes = SerializeEvents(rows, zone, formats);
        ASSERT_TRUE(bytes.ok()) << bytes.message();
        std::ofstream(dataFolder / L"events.dat", std::ios::binary) << bytes.value();
    }

    std::string Recorded() const
    {
        std::ifstream in(record);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path dataFolder;
    fs::path scratch = fs::temp_directory_path() / L"kelvane-e2e";
    fs::path activated = scratch / L"Activated.scr";
    fs::path ran = scratch / L"Ran.scr";
    fs::path record = scratch / L"record.txt";
    Win32ProcessesAndInput processes;
};

TEST_F(ProgramOnWindows, ShowsOneWindowRunsItsEventsAndSavesEverythingAtClose)
{
    ScheduleTwoEvents();
    const std::string settings = Narrow((dataFolder / L"settings.ini").wstring());
    ASSERT_TRUE(WriteIniBool(settings, "Settings", "LogIsOn", true).ok());
    ASSERT_TRUE(WriteIniBool(settings, "Settings", "SaveLog", true).ok());

    Program first;
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(WaitUntil([] { return ShownMainWindows() == 1; })) << "the main window is shown";

    Program second;
    EXPECT_EQ(second.WaitForExit(), 0u) << "a second start hands over and ends";
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(ShownMainWindows(), 1) << "and leaves one window";

    EXPECT_TRUE(WaitUntil([&] { return ActiveScreensaverSetting() == activated.wstring(); }))
        << "the Activate event sets SCRNSAVE.EXE: " << Narrow(ActiveScreensaverSetting());
    EXPECT_TRUE(WaitUntil([&] { return Recorded() == "/s\n"; })) << "the Run event runs it with /s: " << Recorded();

    Program closer(L"/CLOSE");
    EXPECT_EQ(closer.WaitForExit(), 0u);
    EXPECT_EQ(first.WaitForExit(), 0u) << "/CLOSE ends the first instance";
    for (const wchar_t* file : {L"folderList.txt", L"ssList.txt", L"events.dat", L"settings.ini", L"eventLog.txt"}) {
        EXPECT_TRUE(fs::exists(dataFolder / file)) << Narrow(file);
    }
}

} // namespace
} // namespace kelvane::platform
