#include "platform/PlatformServices.h"
#include "platform/linux/LinuxBuildStamp.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxPathsAndInstance.h"
#include "platform/linux/LinuxProcessesAndInput.h"
#include "platform/linux/LinuxRegionalSettings.h"
#include "platform/linux/LinuxScreensaverSetting.h"
#include "platform/linux/LinuxShell.h"
#include "platform/linux/LinuxTerminationSignals.h"
#include "platform/linux/WineDrive.h"
#include "platform/linux/XScreenSaverBackend.h"
#include "platform/linux/XScreenSaverStarter.h"
#include "platform/qt/ModuleHttpGet.h"
#include "platform/qt/QtDebugOutput.h"
#include "platform/qt/QtIconProvider.h"
#include "platform/qt/QtScreensaverPreview.h"
#include "platform/qt/QtTimeZone.h"
#include "platform/qt/QtWebBrowser.h"

#include <QCoreApplication>

#include <cstdio>

namespace kelvane::platform {

StartServices MakeStartServices()
{
    // The signals first: the instance answers a second start from the moment its lock is taken.
    StartServices services;
    services.Termination = std::make_unique<LinuxTerminationSignals>();
    services.Instance = std::make_unique<LinuxPathsAndInstance>();
    return services;
}

void PrepareApplicationEnvironment() {}

void PrintInformation(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
}

PlatformServices MakePlatformServices(std::optional<int64_t> recordedBuildTime)
{
    PlatformServices services;
    services.Notices = std::make_shared<StatusNotices>();
    const std::string windowsFolder = LinuxScreensaverSetting().WindowsFolder();
    // XScreenSaver is the screensaver that Linux desktops run when idle: with it, the active screensaver
    // is its choice. Its hacks are listed and previewed whenever they are installed.
    const XScreenSaverPlaces places{HomeFolder() + "/.xscreensaver", "/etc/X11/app-defaults/XScreenSaver",
                                    "/usr/libexec/xscreensaver", WinePrefix()};
    auto hacks = std::make_shared<const XScreenSaverHacks>(places.HackFolder, "/usr/share/xscreensaver/config");
    const bool daemonInstalled = XScreenSaverBackend::Installed();
    auto xscreensaver =
        std::make_shared<XScreenSaverBackend>(places, hacks, windowsFolder, *services.Notices, daemonInstalled);
    services.Catalogue = hacks;
    if (daemonInstalled) {
        services.Setting = std::make_unique<XScreenSaverSetting>(places, *hacks, windowsFolder, *services.Notices,
                                                                 XScreenSaverSettingsOpen);
        services.Daemon = std::make_unique<XScreenSaverStarter>(*services.Notices);
    } else {
        services.Setting = std::make_unique<LinuxScreensaverSetting>();
        services.Notices->Report("XScreenSaver is not installed: \"Set: Active\" changes nothing on this desktop, "
                                 "and Windows screensavers run through Wine alone");
    }
    services.Debug = std::make_unique<QtDebugOutput>();
    services.Zone = std::make_unique<QtTimeZone>();
    services.Regional = std::make_unique<LinuxRegionalSettings>();
    services.Autostart = std::make_unique<LinuxAutostartEntry>();
    services.DesktopShell = std::make_unique<LinuxShell>(xscreensaver, services.Notices.get());
    auto preview = std::make_shared<QtScreensaverPreview>([xscreensaver](const std::string& path, uint64_t window) {
        return HackPreviewCommand(xscreensaver.get(), path, window);
    });
    services.Processes = std::make_unique<LinuxProcessesAndInput>(
        xscreensaver, [preview = std::weak_ptr<const QtScreensaverPreview>(preview)]() -> std::optional<int64_t> {
            const auto running = preview.lock();
            return running ? running->ProcessId() : std::nullopt;
        });
    services.Preview = preview;
    services.Icons = std::make_unique<QtIconProvider>(hacks);
    services.Browser = std::make_unique<QtWebBrowser>();
    // Linux executables carry no link time stamp: the build's recorded one stands in.
    services.Stamp = std::make_unique<LinuxBuildStamp>(recordedBuildTime);
    services.Http = std::make_unique<ModuleHttpGet>(QCoreApplication::applicationDirPath().toStdString() +
                                                        "/" KELVANE_MODULE_FOLDER "/kelvane_http.so",
                                                    *services.Debug);
    services.UpdateAddressOverride = EnvironmentValue("KELVANE_UPDATE_URL");
    return services;
}

} // namespace kelvane::platform
