#include "TestPaths.h"
#include "app/Startup.h"
#include "common/LocalTime.h"
#include "platform/win32/Win32BuildStamp.h"
#include "platform/win32/Win32PathsAndInstance.h"
#include "platform/win32/Win32ProcessesAndInput.h"
#include "platform/win32/Win32RegionalSettings.h"
#include "platform/win32/Win32ScreensaverSetting.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32TimeZone.h"
#include "platform/win32/Win32WebBrowser.h"
#include "support/StatusAssertions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>
#include <windows.h>

namespace kelvane::platform {
namespace {

using test::Succeeded;

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
    EXPECT_TRUE(Succeeded(setting.ClearActiveScreensaverPath()));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "") << "a missing value reads as nothing set";
    const std::string path = "C:\\Screen Savers\\Zo\xC3\xAB's ribbons.scr";
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath(path)));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), path);
    EXPECT_TRUE(Succeeded(setting.ClearActiveScreensaverPath()));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");

    std::string windows = setting.WindowsFolder();
    std::transform(windows.begin(), windows.end(), windows.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_EQ(windows, "c:\\windows");
}

TEST(Win32Setting, TheRunValueIsQuotedWhenThePathHoldsABlank)
{
    Win32AutostartEntry autostart;
    EXPECT_TRUE(Succeeded(autostart.EnableAutostart("C:\\Program Files\\Kelvane\\kelvane.exe")));
    EXPECT_EQ(autostart.ReadAutostart(), "\"C:\\Program Files\\Kelvane\\kelvane.exe\"");
    EXPECT_TRUE(Succeeded(autostart.EnableAutostart("C:\\Kelvane\\kelvane.exe")));
    EXPECT_EQ(autostart.ReadAutostart(), "C:\\Kelvane\\kelvane.exe");
    EXPECT_TRUE(Succeeded(autostart.DisableAutostart()));
    EXPECT_EQ(autostart.ReadAutostart(), std::nullopt);
}

// The program learns its own path from Qt, which writes it with forward slashes; the system, the user
// and the uninstaller all read the Run value with backslashes.
TEST(Win32Setting, TheRunValueHoldsTheNativePathOfAPathGivenWithForwardSlashes)
{
    Win32AutostartEntry autostart;
    EXPECT_TRUE(Succeeded(autostart.EnableAutostart("C:/Program Files/Kelvane/kelvane.exe")));
    EXPECT_EQ(autostart.ReadAutostart(), R"("C:\Program Files\Kelvane\kelvane.exe")");
    EXPECT_TRUE(Succeeded(autostart.EnableAutostart("C:/Kelvane/kelvane.exe")));
    EXPECT_EQ(autostart.ReadAutostart(), R"(C:\Kelvane\kelvane.exe)");
    EXPECT_TRUE(Succeeded(autostart.DisableAutostart()));
}

// An entry that an older version wrote, with forward slashes, keeps starting the program in today's
// spelling; any other entry is another program's or the user's own, and stays as it is.
TEST(Win32Setting, ARenewedRunValueTakesTheNativeSpellingOnlyWhereAnOlderVersionWroteIt)
{
    const struct
    {
        std::wstring stored;
        std::string after;
    } cases[] = {
        {LR"("C:/Program Files/Kelvane/kelvane.exe")", R"("C:\Program Files\Kelvane\kelvane.exe")"},
        {LR"("C:\Program Files\Kelvane\kelvane.exe")", R"("C:\Program Files\Kelvane\kelvane.exe")"},
        {LR"("C:\Other\kelvane.exe")", R"("C:\Other\kelvane.exe")"},
        {LR"("C:/Program Files/Kelvane/kelvane.exe" /min)", R"("C:/Program Files/Kelvane/kelvane.exe" /min)"},
    };
    Win32AutostartEntry autostart;
    for (const auto& c : cases) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, LR"(Software\Microsoft\Windows\CurrentVersion\Run)", L"Kelvane",
                                  REG_SZ, c.stored.c_str(),
                                  static_cast<DWORD>((c.stored.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        autostart.RenewAutostart("C:/Program Files/Kelvane/kelvane.exe");
        EXPECT_EQ(autostart.ReadAutostart(), c.after) << Narrow(c.stored);
    }
    EXPECT_TRUE(Succeeded(autostart.DisableAutostart()));
    autostart.RenewAutostart("C:/Program Files/Kelvane/kelvane.exe");
    EXPECT_EQ(autostart.ReadAutostart(), std::nullopt) << "no entry is made";
}

// Leaves a key of the user's only the rights to read and set values (and to put its rights back), as a
// locked-down policy does; its own rights come back at the end.
class LockedDownKey
{
public:
    explicit LockedDownKey(const wchar_t* path)
    {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, READ_CONTROL | WRITE_DAC, &m_key) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        DWORD size = 0;
        RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, nullptr, &size);
        m_own.resize(size);
        if (RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_own.data(), &size) != ERROR_SUCCESS) {
            return;
        }
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
            return;
        }
        std::vector<DWORD> acl((sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone)) / sizeof(DWORD) + 1);
        const auto dacl = reinterpret_cast<PACL>(acl.data());
        SECURITY_DESCRIPTOR narrow{};
        m_locked = InitializeAcl(dacl, static_cast<DWORD>(acl.size() * sizeof(DWORD)), ACL_REVISION) &&
                   AddAccessAllowedAce(dacl, ACL_REVISION, KEY_QUERY_VALUE | KEY_SET_VALUE | READ_CONTROL | WRITE_DAC,
                                       everyone) &&
                   InitializeSecurityDescriptor(&narrow, SECURITY_DESCRIPTOR_REVISION) &&
                   SetSecurityDescriptorDacl(&narrow, TRUE, dacl, FALSE) &&
                   RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, &narrow) == ERROR_SUCCESS;
        FreeSid(everyone);
    }
    ~LockedDownKey()
    {
        if (m_locked) {
            RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_own.data());
        }
        if (m_key) {
            RegCloseKey(m_key);
        }
    }
    LockedDownKey(const LockedDownKey&) = delete;
    LockedDownKey& operator=(const LockedDownKey&) = delete;
    explicit operator bool() const { return m_locked; }

private:
    HKEY m_key = nullptr;
    std::vector<BYTE> m_own;
    bool m_locked = false;
};

TEST(Win32Setting, ValuesChangeWhereTheKeysAllowNothingMore)
{
    const LockedDownKey desktop(L"Control Panel\\Desktop");
    const LockedDownKey run(L"Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_TRUE(desktop && run);
    HKEY probe = nullptr;
    const LSTATUS everything = RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &probe);
    if (everything == ERROR_SUCCESS) {
        RegCloseKey(probe);
    }
    ASSERT_NE(everything, ERROR_SUCCESS) << "the keys are locked down";

    Win32ScreensaverSetting setting;
    EXPECT_TRUE(Succeeded(setting.WriteActiveScreensaverPath("C:\\Screen Savers\\ribbons.scr")));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "C:\\Screen Savers\\ribbons.scr");
    EXPECT_TRUE(Succeeded(setting.ClearActiveScreensaverPath()));
    EXPECT_EQ(setting.ReadActiveScreensaverPath(), "");

    Win32AutostartEntry autostart;
    EXPECT_TRUE(Succeeded(autostart.EnableAutostart("C:\\Kelvane\\kelvane.exe")));
    EXPECT_EQ(autostart.ReadAutostart(), "C:\\Kelvane\\kelvane.exe");
    EXPECT_TRUE(Succeeded(autostart.DisableAutostart()));
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

TEST(Win32Instance, ASecondProcessHandsItsRequestsToTheFirst)
{
    Win32PathsAndInstance first;
    ASSERT_EQ(first.AcquireInstanceLock().Outcome, InstanceLock::State::Taken);
    std::vector<InstanceRequest> received;
    first.ListenForInstanceRequests([&received](InstanceRequest request) { received.push_back(request); });

    // This same test program, run again with only the second instance's part.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = std::wstring(L"\"") + self +
                               L"\" --gtest_also_run_disabled_tests --gtest_filter=Win32Instance.DISABLED_SecondStart";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION second{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &second));
    EXPECT_TRUE(PumpUntil([&] { return received.size() == 2; }));
    WaitForSingleObject(second.hProcess, 10000);
    DWORD secondExit = 1;
    GetExitCodeProcess(second.hProcess, &secondExit);
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
    EXPECT_EQ(secondExit, 0u) << "the second start found the lock taken";
    EXPECT_EQ(received, (std::vector<InstanceRequest>{InstanceRequest::Show, InstanceRequest::Exit}));
}

// The second start's side, run only by the test above in a process of its own.
TEST(Win32Instance, DISABLED_SecondStart)
{
    Win32PathsAndInstance second;
    ASSERT_EQ(second.AcquireInstanceLock().Outcome, InstanceLock::State::HeldElsewhere);
    second.PostInstanceRequest(InstanceRequest::Show);
    second.PostInstanceRequest(InstanceRequest::Exit);
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

TEST(Win32Build, TheLinkTimeStampIsWhenTheExecutableWasWritten)
{
    const auto stamp = Win32BuildStamp().BuildTime();
    ASSERT_TRUE(stamp.has_value());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ASSERT_TRUE(GetFileAttributesExW(self, GetFileExInfoStandard, &attributes));
    const uint64_t ticks = (uint64_t{attributes.ftLastWriteTime.dwHighDateTime} << 32) |
                           attributes.ftLastWriteTime.dwLowDateTime; // 100 ns since 1601
    const auto writtenSeconds = static_cast<int64_t>(ticks / 10000000) - 11644473600;
    EXPECT_LE(std::llabs(*stamp - writtenSeconds), 120) << "the linker stamps the file it writes";
}

TEST(Win32Browser, AnAddressTheShellCannotFindGivesItsErrorCode)
{
    Win32WebBrowser browser;
    EXPECT_EQ(browser.OpenWebAddress("C:\\windows\\no such page.kelvane-none"), int64_t{ERROR_FILE_NOT_FOUND});
}

// Eastern time: standard 5 hours behind UTC; daylight time from the second Sunday of March 02:00 to the
// first Sunday of November 02:00. Sydney: 10 hours ahead; daylight time from the first Sunday of
// October 02:00 to the first Sunday of April 03:00, across the turn of the year.
const ZoneRules kEastern{300, 0, -60, {11, 0, 1, 2, 0, 0}, {3, 0, 2, 2, 0, 0}};
const ZoneRules kSydney{-600, 0, -60, {4, 0, 1, 3, 0, 0}, {10, 0, 1, 2, 0, 0}};

TEST(Win32TimeZoneRules, ChangesFallOnTheirWeekdays)
{
    const auto at = [](int32_t year, int32_t month, int32_t day, int32_t hour) {
        return ToUnixSeconds(EncodeDateTime({{year, month, day}, {hour, 0, 0, 0}}));
    };
    EXPECT_EQ(ChangesOfYear(kEastern, 2024)[0].AtUtcSeconds, at(2024, 3, 10, 7));
    EXPECT_EQ(ChangesOfYear(kEastern, 2024)[1].AtUtcSeconds, at(2024, 11, 3, 6));
    EXPECT_EQ(ChangesOfYear(kSydney, 2024)[0].AtUtcSeconds, at(2024, 4, 6, 16));  // 03:00 AEDT on 7 April
    EXPECT_EQ(ChangesOfYear(kSydney, 2024)[1].AtUtcSeconds, at(2024, 10, 5, 16)); // 02:00 AEST on 6 October
    ZoneRules lastSunday = kEastern;
    lastSunday.StandardDate.Week = 5;
    EXPECT_EQ(ChangesOfYear(lastSunday, 2024)[1].AtUtcSeconds, at(2024, 11, 24, 6)) << "week 5 is the last one";
    EXPECT_TRUE(ChangesOfYear(ZoneRules{-330, 0, 0, {}, {}}, 2024).empty());
}

TEST(Win32TimeZoneRules, RepeatedAndSkippedHoursThroughTheConverter)
{
    const struct
    {
        const ZoneRules& rules;
        CivilDateTime local;
        std::optional<CivilDateTime> utc;
    } cases[] = {
        {kEastern, {{2024, 7, 1}, {12, 0, 0, 0}}, CivilDateTime{{2024, 7, 1}, {16, 0, 0, 0}}},
        {kEastern, {{2024, 11, 3}, {1, 30, 0, 0}}, CivilDateTime{{2024, 11, 3}, {6, 30, 0, 0}}},
        {kEastern, {{2024, 3, 10}, {2, 30, 0, 0}}, std::nullopt},
        {kSydney, {{2024, 1, 15}, {12, 0, 0, 0}}, CivilDateTime{{2024, 1, 15}, {1, 0, 0, 0}}},
        {kSydney, {{2024, 4, 7}, {2, 30, 0, 0}}, CivilDateTime{{2024, 4, 6}, {16, 30, 0, 0}}},
        {kSydney, {{2024, 10, 6}, {2, 30, 0, 0}}, std::nullopt},
    };
    for (const auto& c : cases) {
        const Win32TimeZone zone(c.rules);
        const auto utc = LocalToUtc(zone, EncodeDateTime(c.local));
        ASSERT_EQ(utc.ok(), c.utc.has_value());
        if (c.utc) {
            EXPECT_EQ(DecodeDateTime(utc.value()), *c.utc);
            EXPECT_EQ(DecodeDateTime(UtcToLocal(zone, utc.value())), c.local);
        }
    }
    // The system's own zone answers too, whatever it is.
    const Win32TimeZone system;
    EXPECT_TRUE(system.PeriodAt(ToUnixSeconds(EncodeDate(2024, 7, 1))).Contains(ToUnixSeconds(EncodeDate(2024, 7, 1))));
}

TEST(Win32Shell, ACopiedPathReadsBackAndTheClipboardHasAnOwner)
{
    const std::string path = "C:\\Screen Savers\\Gl\xC3\xBChwein.scr";
    Win32Shell shell;
    shell.CopyPathToClipboard(path);
    EXPECT_NE(GetClipboardOwner(), nullptr) << "emptied by a window of the program's own";
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::wstring copied;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            copied = text;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    EXPECT_EQ(copied, Widen(path));
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

TEST_F(TestScreensaver, OnlyAFileThatIsThereCountsAsAScreensaverFile)
{
    Win32Shell shell;
    EXPECT_TRUE(shell.ScreensaverFileExists(copy));
    EXPECT_TRUE(shell.ScreensaverFileExists(dir.path() + "\\ribbons.scr")) << "Windows names ignore letter case";
    EXPECT_FALSE(shell.ScreensaverFileExists(dir.path() + "\\bubbles.scr"));
    EXPECT_FALSE(shell.ScreensaverFileExists(dir.path())) << "a folder is no file";
}

// A copy started by the test itself, which lets others open it only for the given rights (as a process of
// another user or of higher integrity does); ended when it goes.
class StartedCopy
{
public:
    StartedCopy(const std::string& path, DWORD othersMayAsk)
    {
        std::wstring commandLine = L"\"" + Widen(path) + L"\" /s";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &m_process)) {
            m_process = {};
            return;
        }
        m_ready = Restrict(othersMayAsk);
    }
    ~StartedCopy()
    {
        if (m_process.hProcess) {
            TerminateProcess(m_process.hProcess, 0);
            WaitForSingleObject(m_process.hProcess, 5000);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }
    StartedCopy(const StartedCopy&) = delete;
    StartedCopy& operator=(const StartedCopy&) = delete;
    explicit operator bool() const { return m_ready; }
    int64_t Id() const { return m_process.dwProcessId; }

private:
    bool Restrict(DWORD rights)
    {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
            return false;
        }
        std::vector<DWORD> acl((sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone)) / sizeof(DWORD) + 1);
        const auto dacl = reinterpret_cast<PACL>(acl.data());
        SECURITY_DESCRIPTOR narrow{};
        const bool restricted = InitializeAcl(dacl, static_cast<DWORD>(acl.size() * sizeof(DWORD)), ACL_REVISION) &&
                                AddAccessAllowedAce(dacl, ACL_REVISION, rights, everyone) &&
                                InitializeSecurityDescriptor(&narrow, SECURITY_DESCRIPTOR_REVISION) &&
                                SetSecurityDescriptorDacl(&narrow, TRUE, dacl, FALSE) &&
                                SetKernelObjectSecurity(m_process.hProcess, DACL_SECURITY_INFORMATION, &narrow);
        FreeSid(everyone);
        return restricted;
    }

    PROCESS_INFORMATION m_process{};
    bool m_ready = false;
};

// Name matches that cannot be opened lie before and after the one that can, whichever way the walk goes;
// that one answers nothing but the least right that tells it may be opened.
TEST_F(TestScreensaver, TheSearchPassesOverProcessesItCannotOpen)
{
    constexpr DWORD endOnly = PROCESS_TERMINATE | SYNCHRONIZE;
    const StartedCopy before(copy, endOnly);
    const StartedCopy open(copy, endOnly | PROCESS_QUERY_LIMITED_INFORMATION);
    const StartedCopy after(copy, endOnly);
    ASSERT_TRUE(before && open && after);
    const HANDLE probe = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(before.Id()));
    if (probe) {
        CloseHandle(probe);
    }
    ASSERT_EQ(probe, nullptr) << "the rights are narrowed";
    EXPECT_EQ(processes.FindProcessByExeName(copy), open.Id());
}

} // namespace
} // namespace kelvane::platform
