#include "platform/PlatformServices.h"
#include "platform/linux/LinuxBuildStamp.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxPathsAndInstance.h"
#include "platform/linux/LinuxProcessesAndInput.h"
#include "platform/linux/LinuxRegionalSettings.h"
#include "platform/linux/LinuxScreensaverSetting.h"
#include "platform/linux/LinuxShell.h"
#include "platform/linux/LinuxTerminationSignals.h"
#include "platform/qt/QtDebugOutput.h"
#include "platform/qt/QtHttpGet.h"
#include "platform/qt/QtIconProvider.h"
#include "platform/qt/QtTimeZone.h"
#include "platform/qt/QtWebBrowser.h"

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

PlatformServices MakePlatformServices(std::optional<int64_t> recordedBuildTime)
{
    PlatformServices services;
    services.Debug = std::make_unique<QtDebugOutput>();
    services.Zone = std::make_unique<QtTimeZone>();
    services.Regional = std::make_unique<LinuxRegionalSettings>();
    services.Setting = std::make_unique<LinuxScreensaverSetting>();
    services.Autostart = std::make_unique<LinuxAutostartEntry>();
    services.DesktopShell = std::make_unique<LinuxShell>();
    services.Processes = std::make_unique<LinuxProcessesAndInput>();
    services.Icons = std::make_unique<QtIconProvider>();
    services.Browser = std::make_unique<QtWebBrowser>();
    // Linux executables carry no link time stamp: the build's recorded one stands in.
    services.Stamp = std::make_unique<LinuxBuildStamp>(recordedBuildTime);
    services.Http = std::make_unique<QtHttpGet>();
    services.UpdateAddressOverride = EnvironmentValue("KELVANE_UPDATE_URL");
    return services;
}

} // namespace kelvane::platform
