// The real kelvane.exe on a small screen, seen from inside the Wine prefix that WindowPlacementTest.sh
// makes for one run on a 1024 x 768 X server of its own. The window's outer frame, title bar included,
// must lie within the work area of its monitor, both at a first start and when the stored placement
// was made on a larger screen; and the placement stored at the exit is that frame.
#include "ChildProcess.h"
#include "ProgramWindows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using kelvane::test::ShownMainWindow;
using kelvane::test::WaitUntil;

fs::path DataFolder()
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
    return fs::path(path) / L"Quillfen" / L"Kelvane";
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& rect)
{
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ") - (" + std::to_string(rect.right) +
           ", " + std::to_string(rect.bottom) + ")";
}

bool Within(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int StoredInteger(const fs::path& file, const wchar_t* key)
{
    return static_cast<int>(GetPrivateProfileIntW(L"PosSave", key, -99999, file.c_str()));
}

class OnSmallScreen : public testing::Test
{
protected:
    OnSmallScreen()
    {
        fs::remove_all(DataFolder());
        fs::create_directories(DataFolder());
    }

    // Starts the program, reads where its shown window lies, and ends it with "/CLOSE".
    void RunProgram()
    {
        // The screen this test means: without it every placement would fit anyway.
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
        ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);

        kelvane::test::ChildProcess program(Quoted(ProgramPath()));
        ASSERT_TRUE(program.Started());
        HWND window = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (window = ShownMainWindow()) != nullptr; })) << "the window shows";
        // Placed before it was shown; give the window system a moment to settle all the same.
        std::this_thread::sleep_for(2s);
        ASSERT_TRUE(GetWindowRect(window, &frame));
        RECT client{};
        ASSERT_TRUE(GetClientRect(window, &client));
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        clientOnScreen = client;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));
        workArea = monitor.rcWork;

        kelvane::test::ChildProcess closer(Quoted(ProgramPath()) + L" /CLOSE");
        EXPECT_EQ(closer.WaitForExit(), 0u);
        EXPECT_EQ(program.WaitForExit(), 0u) << "/CLOSE ends the program";
    }

    void ExpectFrameOnScreenAndStored()
    {
        EXPECT_LT(frame.top, clientOnScreen.top) << "the frame holds a title bar above the client area";
        EXPECT_TRUE(Within(frame, workArea)) << "frame " << Text(frame) << " within work area " << Text(workArea);
        const RECT stored{StoredInteger(settings, L"Left"), StoredInteger(settings, L"Top"),
                          StoredInteger(settings, L"Left") + StoredInteger(settings, L"Width"),
                          StoredInteger(settings, L"Top") + StoredInteger(settings, L"Height")};
        EXPECT_TRUE(stored == frame) << "the exit stores the frame " << Text(frame) << ", not " << Text(stored);
    }

    static fs::path ProgramPath()
    {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        return fs::path(self).parent_path() / L"kelvane.exe";
    }
    static std::wstring Quoted(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

    fs::path settings = DataFolder() / L"settings.ini";
    RECT frame{};
    RECT clientOnScreen{};
    RECT workArea{};
};

TEST_F(OnSmallScreen, AFirstStartOpensWithTheWholeFrameOnScreen)
{
    RunProgram();
    ExpectFrameOnScreenAndStored();
}

TEST_F(OnSmallScreen, APlacementStoredOnALargerScreenIsBroughtOnScreen)
{
    // Fits a 1600 x 1000 screen only: right edge 1600, bottom edge 990.
    std::ofstream(settings) << "[PosSave]\r\nWindowState=0\r\nLeft=500\r\nTop=200\r\nWidth=1100\r\nHeight=790\r\n";
    RunProgram();
    ExpectFrameOnScreenAndStored();
}

} // namespace
