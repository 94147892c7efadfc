#include "common/AppIdentity.h"
#include "common/FileNames.h"
#include "platform/PlatformServices.h"
#include "platform/qt/QtHttpGet.h"
#include "platform/qt/QtScreensaverPreview.h"
#include "platform/win32/Win32BuildStamp.h"
#include "platform/win32/Win32Console.h"
#include "platform/win32/Win32IconProvider.h"
#include "platform/win32/Win32PathsAndInstance.h"
#include "platform/win32/Win32ProcessesAndInput.h"
#include "platform/win32/Win32RegionalSettings.h"
#include "platform/win32/Win32ScreensaverSetting.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32TimeZone.h"
#include "platform/win32/Win32UiFont.h"
#include "platform/win32/Win32WebBrowser.h"
#include "platform/win32/Win32WindowFrame.h"

#include <cstdlib>
#include <windows.h>

namespace kelvane::platform {
namespace {

// Windows asks a program to end through the end of the session, which reaches the program as the
// application object's save request and its end; no signal needs catching here.
class Win32TerminationRequests final : public TerminationRequests
{
public:
    void HandOver(std::function<void()>) override {}
    void Release() override {}
};

std::string EnvironmentValue(const wchar_t* name)
{
    wchar_t value[2048];
    const DWORD length = GetEnvironmentVariableW(name, value, 2048);
    return length > 0 && length < 2048 ? Narrow(std::wstring(value, length)) : std::string();
}

} // namespace

StartServices MakeStartServices()
{
    StartServices services;
    services.Termination = std::make_unique<Win32TerminationRequests>();
    services.Instance = std::make_unique<Win32PathsAndInstance>();
    return services;
}

void PrepareApplicationEnvironment()
{
    // Under Wine the system's font engine leaves the text of edit fields undrawn; Qt's own FreeType
    // engine draws it. A platform the user chose stays.
    const auto ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    // Through the C library, whose copy of the environment is the one Qt reads.
    if (wine && !_wgetenv(L"QT_QPA_PLATFORM")) {
        _wputenv_s(L"QT_QPA_PLATFORM", L"windows:fontengine=freetype");
    }
}

void PrintInformation(const std::string& text)
{
    if (!WriteToStartingConsole(text)) {
        ShowInMessageBox(text, ApplicationTitle);
    }
}

PlatformServices MakePlatformServices(std::optional<int64_t>)
{
    // Before any window is made: a window takes the fonts the application has then.
    UseAvailableUiFont();
    PlatformServices services;
    services.Notices = std::make_shared<StatusNotices>();
    services.Catalogue = std::make_shared<const NoScreensaverPrograms>();
    services.Debug = std::make_unique<Win32DebugOutput>();
    services.Zone = std::make_unique<Win32TimeZone>();
    services.Regional = std::make_unique<Win32RegionalSettings>();
    services.Setting = std::make_unique<Win32ScreensaverSetting>();
    services.Autostart = std::make_unique<Win32AutostartEntry>();
    services.DesktopShell = std::make_unique<Win32Shell>();
    // A Windows screensaver draws its preview into the window whose handle follows "/p"; that process is
    // the program's own, never a running screensaver to end.
    auto preview = std::make_shared<QtScreensaverPreview>([](const std::string& path, uint64_t window) {
        if (!EndsWithScr(path)) {
            return QStringList();
        }
        return QStringList{QString::fromStdString(path), QStringLiteral("/p"), QString::number(window)};
    });
    services.Processes = std::make_unique<Win32ProcessesAndInput>(
        [preview = std::weak_ptr<const QtScreensaverPreview>(preview)]() -> std::optional<int64_t> {
            const auto running = preview.lock();
            return running ? running->ProcessId() : std::nullopt;
        });
    services.Preview = preview;
    services.Icons = std::make_unique<Win32IconProvider>();
    services.Browser = std::make_unique<Win32WebBrowser>();
    // The executable's own link time stamp is the build date.
    services.Stamp = std::make_unique<Win32BuildStamp>();
    services.Http = std::make_unique<QtHttpGet>();
    services.UpdateAddressOverride = EnvironmentValue(L"KELVANE_UPDATE_URL");
    services.WindowFrame = Win32OuterFrameMargins;
    return services;
}

} // namespace kelvane::platform
