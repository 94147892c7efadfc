// The preview pane of the Windows program: a screensaver started with "/p <window>" makes its window in
// the pane's own native window, over the pane, and ends with the preview. Under Wine, which never shows
// that window, the pane starts nothing and says where the screensaver shows.
#include "TestPaths.h"
#include "app/Language.h"
#include "platform/PlatformServices.h"
#include "platform/ScreensaverPreview.h"
#include "platform/win32/Win32ScreensaverPreview.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Wine.h"
#include "ui/screensavers/PreviewPane.h"

#include <QCoreApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

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

// The processes this test has started from the named executable file.
int ChildProcessesOf(const std::wstring& fileName)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return -1;
    }
    int count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() && _wcsicmp(entry.szExeFile, fileName.c_str()) == 0) {
            ++count;
        }
    }
    CloseHandle(snapshot);
    return count;
}

// The language file as the program reads it, from the source tree through Wine's drive of the root.
std::string ShippedText(std::string_view key)
{
    std::string path = KELVANE_LANGUAGE_FILE;
    std::replace(path.begin(), path.end(), '/', '\\');
    Language language;
    return language.LoadLanguage("Z:" + path, "English").ok() ? language.Translate(key) : std::string();
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

// What Windows itself shows; under Wine the window is made but never drawn.
TEST_F(PreviewOnWindows, TheScreensaverMakesItsWindowInsideThePane)
{
    const auto embedding = MakePanePreview();
    ui::PreviewPane pane(embedding.get());
    pane.show();
    ASSERT_TRUE(PumpUntil([&] { return pane.isVisible(); }));
    pane.ShowFile(Narrow(screensaver.wstring()));
    EXPECT_EQ(ChildProcessesOf(screensaver.filename().wstring()), 1);
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

// The program's own preview under Wine: a screensaver drawing unseen in the pane would only cost, and
// the pane would stay blank with no word of why.
TEST_F(PreviewOnWindows, UnderWineThePaneStartsNothingAndSaysThePreviewRunsInItsOwnWindow)
{
    if (!RunningUnderWine()) {
        GTEST_SKIP() << "Windows itself shows the preview in the pane";
    }
    ASSERT_FALSE(services.Preview->ShowsInPane());
    const std::string note = ShippedText("PreviewOwnWindowNote");
    ASSERT_NE(note.find("own window"), std::string::npos) << note;
    ui::PreviewPane pane(services.Preview.get(), QString::fromStdString(note));
    pane.show();
    ASSERT_TRUE(PumpUntil([&] { return pane.isVisible(); }));

    pane.ShowFile(Narrow(screensaver.wstring()));
    QCoreApplication::processEvents();
    EXPECT_EQ(ChildProcessesOf(screensaver.filename().wstring()), 0) << "no screensaver runs for the pane";
    EXPECT_FALSE(services.Preview->Running());
    const auto* shown = pane.findChild<QLabel*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->text().toStdString(), note);
    EXPECT_FALSE(pane.Surface()->isVisible());
}

} // namespace
} // namespace kelvane::platform
