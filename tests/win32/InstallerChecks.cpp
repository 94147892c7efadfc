// The installed Kelvane, seen from inside the Wine prefix that InstallerTest.sh makes for one run of the
// setup program. The script runs the suites in this order: AutostartRemoval before anything is
// installed, AfterInstall once the silent setup has ended, Uninstall, then AfterUninstall once every
// process of the uninstall has ended.
#include "ChildProcess.h"
#include "IconGroups.h"
#include "ProgramWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>
// After windows.h, whose types they use.
#include <objbase.h>
#include <shlobj.h>

namespace {

namespace fs = std::filesystem;
using kelvane::test::ShownMainWindow;
using kelvane::test::ShownMainWindows;
using kelvane::test::WaitUntil;

constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kelvane";
constexpr const wchar_t* kAutostartKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

fs::path KnownFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

fs::path ProgramFolder()
{
    return KnownFolder(CSIDL_PROGRAM_FILES) / L"Kelvane";
}
fs::path Program()
{
    return ProgramFolder() / L"kelvane.exe";
}
fs::path StartMenuShortcut()
{
    return KnownFolder(CSIDL_COMMON_PROGRAMS) / L"Kelvane.lnk";
}
fs::path DataFolder()
{
    return KnownFolder(CSIDL_APPDATA) / L"Quillfen" / L"Kelvane";
}

std::wstring Quoted(const fs::path& path)
{
    return L"\"" + path.wstring() + L"\"";
}

std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* key, const wchar_t* name)
{
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

// What a shortcut starts, as the shell reads it.
fs::path ShortcutTarget(const fs::path& shortcut)
{
    fs::path target;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
                SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
                target = path;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return target;
}

// The shown top-level windows of a process: its main window, and a menu while one is open.
int ShownWindowsOf(DWORD process)
{
    struct Count
    {
        DWORD process;
        int shown;
    } result{process, 0};
    EnumWindows(
        [](HWND window, LPARAM counted) -> BOOL {
            auto* count = reinterpret_cast<Count*>(counted);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            count->shown += owner == count->process && IsWindowVisible(window) ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&result));
    return result.shown;
}

// A key typed into the window that has the focus, with the modifier held if one is given.
void TypeKey(WORD key, WORD modifier = 0)
{
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD virtualKey, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier) {
        add(modifier, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier) {
        add(modifier, KEYEVENTF_KEYUP);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The user's way to the option: the menu "Se&ttings" and its item "&Run at Window Startup", by their
// keys, so that the program writes the value through its own code from its own idea of its path.
void ChooseRunAtWindowStartup()
{
    const HWND window = ShownMainWindow();
    ASSERT_NE(window, nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const int shown = ShownWindowsOf(process);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([window] { return GetForegroundWindow() == window; })) << "the window takes the keys";
    TypeKey('T', VK_MENU);
    ASSERT_TRUE(WaitUntil([&] { return ShownWindowsOf(process) > shown; })) << "the Settings menu opens";
    TypeKey('R');
    ASSERT_TRUE(WaitUntil([&] { return ShownWindowsOf(process) == shown; })) << "the menu closes on its item";
}

using Process = kelvane::test::ChildProcess;

std::optional<std::wstring> AutostartValue()
{
    return RegistryText(HKEY_CURRENT_USER, kAutostartKey, L"Kelvane");
}

void SetAutostartValue(const std::wstring& value)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kAutostartKey, L"Kelvane", REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

// A path of the Linux side as Wine's Z: drive shows it.
std::wstring WinePath(const char* path)
{
    std::wstring windows = L"Z:" + fs::path(path).wstring();
    std::replace(windows.begin(), windows.end(), L'/', L'\\');
    return windows;
}

// The uninstaller's own rule, run alone by InstallerTest.sh's probe (before anything is installed) on
// each spelling of the value that a version of the program wrote or a user could have typed.
TEST(AutostartRemoval, TheValueGoesInAnySpellingOfTheProgramAndStaysForAnotherProgram)
{
    const char* probe = std::getenv("KELVANE_AUTOSTART_PROBE");
    ASSERT_NE(probe, nullptr) << "InstallerTest.sh names the probe";
    const std::wstring folder = ProgramFolder().wstring(); // C:\Program Files\Kelvane
    std::wstring slashed = folder;
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    std::wstring shouted = folder;
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](wchar_t c) { return towupper(c); });
    const struct
    {
        std::wstring value;
        bool removed;
    } cases[] = {
        {L"\"" + folder + L"\\kelvane.exe\"", true},
        {folder + L"\\kelvane.exe", true},
        {L"\"" + slashed + L"/kelvane.exe\"", true}, // what older versions wrote
        {slashed + L"/kelvane.exe", true},
        {L"\"" + shouted + L"\\KELVANE.EXE\"", true},
        {L"\"" + folder + L"\\kelvane.exe\" /min", true},
        {L"\"" + folder + L"2\\kelvane.exe\"", false},
        {L"\"" + folder + L"\\kelvane.exe.old\"", false},
        {L"\"" + folder + L"\\other.exe\" \"" + folder + L"\\kelvane.exe\"", false},
        {L"\"C:\\Other\\kelvane.exe\"", false},
        {L"", false},
    };
    for (const auto& c : cases) {
        SetAutostartValue(c.value);
        Process removal(L"\"" + WinePath(probe) + L"\" /S /D=" + folder);
        ASSERT_TRUE(removal.Started());
        ASSERT_EQ(removal.WaitForExit(), 0u);
        EXPECT_EQ(AutostartValue().has_value(), !c.removed) << fs::path(c.value).string();
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kAutostartKey, L"Kelvane");
}

TEST(AfterInstall, TheProgramItsLanguageFileAndItsLibrariesAreInProgramFiles)
{
    for (const wchar_t* file : {L"kelvane.exe", L"language.json", L"Qt6Core.dll", L"Qt6Gui.dll", L"Qt6Widgets.dll",
                                L"Qt6Network.dll", L"libstdc++-6.dll", L"libgcc_s_seh-1.dll", L"libwinpthread-1.dll",
                                L"platforms\\qwindows.dll", L"styles\\qwindowsvistastyle.dll",
                                L"tls\\qschannelbackend.dll", L"imageformats\\qico.dll", L"Uninstall.exe"}) {
        EXPECT_TRUE(fs::is_regular_file(ProgramFolder() / file)) << fs::path(file).string();
    }
}

TEST(AfterInstall, AppsAndFeaturesListsItWithItsUninstaller)
{
    const auto value = [](const wchar_t* name) { return RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, name); };
    EXPECT_EQ(value(L"DisplayName"), L"Kelvane");
    EXPECT_EQ(value(L"DisplayVersion"), L"1.01");
    EXPECT_EQ(value(L"Publisher"), L"Quillfen");
    EXPECT_EQ(value(L"InstallLocation"), ProgramFolder().wstring());
    EXPECT_EQ(value(L"UninstallString"), Quoted(ProgramFolder() / L"Uninstall.exe"));
    EXPECT_EQ(value(L"QuietUninstallString"), Quoted(ProgramFolder() / L"Uninstall.exe") + L" /S");
    // The entry's icon is the program's first icon.
    EXPECT_EQ(value(L"DisplayIcon"), Quoted(Program()) + L",0");
}

// The installed files keep Kelvane's icon through the stripping of the setup program's build, and the
// uninstaller wears it too, not the installer maker's.
TEST(AfterInstall, TheProgramAndItsUninstallerShowKelvanesIcon)
{
    HICON large = nullptr;
    EXPECT_EQ(ExtractIconExW(Program().c_str(), 0, &large, nullptr, 1), 1u) << "what DisplayIcon names";
    if (large != nullptr) {
        DestroyIcon(large);
    }
    for (const fs::path& file : {Program(), ProgramFolder() / L"Uninstall.exe"}) {
        const kelvane::test::ResourceFile resources(file.wstring());
        const std::vector<std::wstring> groups = resources.IconGroupNames();
        ASSERT_FALSE(groups.empty()) << file.string();
        const wchar_t* first =
            groups.front()[0] == L'#' ? MAKEINTRESOURCEW(std::stoi(groups.front().substr(1))) : groups.front().c_str();
        EXPECT_EQ(kelvane::test::IconSizes(resources.Bytes(MAKEINTRESOURCEW(14), first)),
                  kelvane::test::ProgramIconSizes)
            << file.string();
    }
}

TEST(AfterInstall, StartsFromItsStartMenuShortcutShowsItsWindowAndEndsOnClose)
{
    const fs::path target = ShortcutTarget(StartMenuShortcut());
    ASSERT_TRUE(fs::exists(target)) << "the shortcut leads to " << target.string();
    ASSERT_TRUE(fs::equivalent(target, Program())) << target.string();

    // Started from elsewhere than its own folder, it still finds its language file and its libraries.
    Process program(Quoted(target));
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitUntil([] { return ShownMainWindows() == 1; })) << "the main window is shown";

    Process closer(Quoted(Program()) + L" /CLOSE");
    EXPECT_EQ(closer.WaitForExit(), 0u);
    EXPECT_EQ(program.WaitForExit(), 0u) << "/CLOSE ends it";
    EXPECT_TRUE(fs::exists(DataFolder() / L"settings.ini")) << "it saved the user's settings at the end";
}

// The registered quiet uninstall, with the program running and set to start with Windows by its own
// menu, as a user would leave it.
TEST(Uninstall, TheQuietCommandEndsTheRunningProgramAfterItHasSavedEverything)
{
    fs::remove(DataFolder() / L"settings.ini");
    Process program(Quoted(Program()));
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitUntil([] { return ShownMainWindows() == 1; })) << "the main window is shown";
    ChooseRunAtWindowStartup();
    ASSERT_TRUE(WaitUntil([] { return AutostartValue().has_value(); })) << "the program wrote its Run value";
    EXPECT_EQ(AutostartValue(), Quoted(Program())) << "the native path, quoted for its blank";

    const auto command = RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString");
    ASSERT_TRUE(command.has_value());
    Process uninstaller(*command);
    ASSERT_TRUE(uninstaller.Started());
    EXPECT_EQ(uninstaller.WaitForExit(), 0u);
    EXPECT_EQ(program.WaitForExit(), 0u) << "the uninstall asks the program to end the way /CLOSE does";
    EXPECT_TRUE(fs::exists(DataFolder() / L"settings.ini")) << "and the program saved the user's settings first";
}

TEST(AfterUninstall, TheProgramFolderItsShortcutAndItsRegistrationAreGone)
{
    EXPECT_FALSE(fs::exists(ProgramFolder())) << ProgramFolder().string();
    EXPECT_FALSE(fs::exists(StartMenuShortcut()));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, kAutostartKey, L"Kelvane").has_value())
        << "nothing starts the removed program with Windows";
}

TEST(AfterUninstall, TheUsersDataFolderStays)
{
    EXPECT_TRUE(fs::is_directory(DataFolder()));
    EXPECT_TRUE(fs::is_regular_file(DataFolder() / L"settings.ini"));
}

} // namespace
