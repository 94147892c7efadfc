// The preview pane of the Windows program: a screensaver started with "/p <window>" makes its window in
// the pane's own native window, over the pane, and ends with the preview.
#include "TestPaths.h"
#include "platform/PlatformServices.h"
#include "platform/ScreensaverPreview.h"
#include "platform/win32/Win32Text.h"
#include "ui/PreviewPane.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>
#include <windows.h>

namespace kelvane::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool PumpUntil(const std::function<bool()>& condition, std::chrono::seconds limit = 20s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// The test screensaver's preview window under the given window, if there is one.
HWND PreviewWindowUnder(HWND parent)
{
    return FindWindowExW(parent, nullptr, L"KelvaneTestPreview", nullptr);
}

class PreviewOnWindows : public testing::Test
{
protected:
    PreviewOnWindows()
    {
        fs::create_directories(scratch);
        std::string linuxPath = KELVANE_TEST_SCREENSAVER;
        std::replace(linuxPath.begin(), linuxPath.end(), '/', '\\');
        fs::copy_file(Widen("Z:" + linuxPath), screensaver, fs::copy_options::overwrite_existing);
    }

    fs::path scratch = fs::temp_directory_path() / L"kelvane-preview";
    fs::path screensaver = scratch / L"Preview Test.scr";
    PlatformServices services = MakePlatformServices(std::nullopt);
};

TEST_F(PreviewOnWindows, TheScreensaverMakesItsWindowInsideThePane)
{
    ui::PreviewPane pane(services.Preview.get());
    pane.show();
    ASSERT_TRUE(PumpUntil([&] { return pane.isVisible(); }));
    pane.ShowFile(Narrow(screensaver.wstring()));
    const auto surface = reinterpret_cast<HWND>(pane.Surface()->winId());

    ASSERT_TRUE(PumpUntil([&] { return PreviewWindowUnder(surface) != nullptr; }))
        << "the screensaver made its window in the pane's";
    const HWND preview = PreviewWindowUnder(surface);
    RECT inPane{};
    GetWindowRect(preview, &inPane);
    RECT paneArea{};
    GetWindowRect(surface, &paneArea);
    EXPECT_GT(inPane.right - inPane.left, 0);
    EXPECT_GT(inPane.bottom - inPane.top, 0);
    EXPECT_TRUE(inPane.left >= paneArea.left && inPane.right <= paneArea.right && inPane.top >= paneArea.top &&
                inPane.bottom <= paneArea.bottom);

    pane.Stop();
    EXPECT_TRUE(PumpUntil([&] { return PreviewWindowUnder(surface) == nullptr; })) << "its window goes with it";
}

} // namespace
} // namespace kelvane::platform
