// The real kelvane.exe under Wine: its window, the second start, the exit through "/CLOSE", and two
// scheduled events that act through the registry and the shell.
#include "ChildProcess.h"
#include "ProgramWindows.h"
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
#include <shlobj.h> // after windows.h, whose types it uses
#include <thread>
#include <windows.h>

namespace kelvane::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::ShownMainWindows;
using test::WaitUntil;

// A path of the Linux side as Wine's Z: drive shows it.
std::wstring WinePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return Widen("Z:" + path);
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

// "--version" and "--help" from a command prompt. A window program has no console of its own: it
// answers in the file or pipe its output was sent to, else in the console of the program that started
// it, and ends with status 0 either way.
class AskedFromAPrompt : public testing::Test
{
protected:
    // The program started with no output handle of its own, as Windows starts a window program from a
    // prompt; the answer shows in this process's console.
    std::optional<DWORD> StartWithoutOutput(const std::wstring& argument)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        return Run(argument, startup, FALSE);
    }

    // The program started with its output sent to a pipe ("kelvane --version | more"); the answer is
    // what came through it.
    std::pair<std::optional<DWORD>, std::string> StartIntoPipe(const std::wstring& argument)
    {
        SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
        HANDLE reading = nullptr;
        HANDLE writing = nullptr;
        if (!CreatePipe(&reading, &writing, &inherited, 0)) {
            return {};
        }
        SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writing;
        startup.hStdError = writing;
        const std::optional<DWORD> status = Run(argument, startup, TRUE);
        CloseHandle(writing);
        std::string text;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(reading, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            text.append(buffer, read);
        }
        CloseHandle(reading);
        return {status, text};
    }

    // The text of this process's console, its lines one after the other, blanks at their ends cut.
    static std::string ConsoleText()
    {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        std::string text;
        if (console != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(console, &info)) {
            std::wstring line(static_cast<size_t>(info.dwSize.X), L' ');
            for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
                DWORD read = 0;
                ReadConsoleOutputCharacterW(console, line.data(), static_cast<DWORD>(line.size()), {0, row}, &read);
                const std::wstring shown = line.substr(0, line.find_last_not_of(L' ') + 1);
                text += Narrow(shown) + "\n";
            }
        }
        if (console != INVALID_HANDLE_VALUE) {
            CloseHandle(console);
        }
        return text;
    }

private:
    static std::optional<DWORD> Run(const std::wstring& argument, STARTUPINFOW& startup, BOOL inherit)
    {
        std::wstring command = L"\"" + WinePath(KELVANE_EXECUTABLE) + L"\" " + argument;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, inherit, 0, nullptr, nullptr, &startup,
                            &process)) {
            return std::nullopt;
        }
        std::optional<DWORD> status;
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &code)) {
            status = code;
        } else {
            TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        return status;
    }
};

TEST_F(AskedFromAPrompt, TheAnswerGoesThroughTheOutputItWasGiven)
{
    const auto [versionStatus, version] = StartIntoPipe(L"--version");
    EXPECT_EQ(versionStatus, 0u);
    EXPECT_EQ(version, "Kelvane 1.01\r\n");
    const auto [helpStatus, help] = StartIntoPipe(L"--help");
    EXPECT_EQ(helpStatus, 0u);
    EXPECT_EQ(help.rfind("Usage: kelvane", 0), 0u) << help;
    EXPECT_NE(help.find("--version  shows the version\r\n"), std::string::npos) << help;
}

TEST_F(AskedFromAPrompt, WithoutAnOutputTheAnswerShowsInTheConsoleOfThePrompt)
{
    // A console of this test's own, as a prompt has; the one the test runner gave comes back after.
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    const std::optional<DWORD> status = StartWithoutOutput(L"--version");
    const std::string shown = ConsoleText();
    FreeConsole();
    AttachConsole(ATTACH_PARENT_PROCESS);
    EXPECT_EQ(status, 0u) << "no message box waits for a click";
    EXPECT_NE(shown.find("\nKelvane 1.01\n"), std::string::npos) << shown;
}
} // namespace
} // namespace kelvane::platform
