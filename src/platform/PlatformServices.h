#pragma once

#include "platform/AutostartEntry.h"
#include "platform/BuildStamp.h"
#include "platform/DebugOutput.h"
#include "platform/HttpGet.h"
#include "platform/IconProvider.h"
#include "platform/PathsAndInstance.h"
#include "platform/ProcessesAndInput.h"
#include "platform/RegionalSettings.h"
#include "platform/ScreensaverCatalogue.h"
#include "platform/ScreensaverDaemon.h"
#include "platform/ScreensaverPreview.h"
#include "platform/ScreensaverSetting.h"
#include "platform/Shell.h"
#include "platform/StatusNotices.h"
#include "platform/TerminationRequests.h"
#include "platform/TimeZone.h"
#include "platform/WebBrowser.h"
#include "settings/WindowPlacement.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kelvane::platform {

// What a start needs before anything else: the one-instance rule, and the termination requests, caught
// from before a second start could reach this one.
struct StartServices
{
    std::unique_ptr<PathsAndInstance> Instance;
    std::unique_ptr<TerminationRequests> Termination;
};

StartServices MakeStartServices();

// Settles what the application object reads from the environment, before it is made.
void PrepareApplicationEnvironment();

// Shows a text the user asked for on the command line ("--version", "--help") where the user who
// started the program reads it.
void PrintInformation(const std::string& text);

// Everything else the program takes from its system, made once the application object exists. Each
// system's platform folder has its own maker; nothing above the platform layer names a system.
struct PlatformServices
{
    // First, so that it outlives everything that reports to it.
    std::shared_ptr<StatusNotices> Notices;
    std::shared_ptr<const ScreensaverCatalogue> Catalogue;
    std::unique_ptr<DebugOutput> Debug;
    std::unique_ptr<TimeZone> Zone;
    std::unique_ptr<RegionalSettings> Regional;
    std::unique_ptr<ScreensaverSetting> Setting;
    std::unique_ptr<AutostartEntry> Autostart;
    std::unique_ptr<Shell> DesktopShell;
    std::unique_ptr<ProcessesAndInput> Processes;
    std::unique_ptr<IconProvider> Icons;
    std::unique_ptr<WebBrowser> Browser;
    std::unique_ptr<BuildStamp> Stamp;
    std::unique_ptr<HttpGet> Http;
    std::shared_ptr<ScreensaverPreview> Preview;
    // The screensaver daemon the program can start; none where there is nothing to start.
    std::unique_ptr<ScreensaverDaemon> Daemon;
    // An address that replaces the update file's (a mirror, or a test's own server); empty for none.
    std::string UpdateAddressOverride;
    // The margins of the whole frame around a native window's client area, where the system keeps a
    // placement by that frame and the toolkit reports less of it; empty where the toolkit's are right.
    std::function<std::optional<FrameMargins>(uint64_t nativeWindow)> WindowFrame;
};

// The build time recorded by the build, for a system whose executables carry none.
PlatformServices MakePlatformServices(std::optional<int64_t> recordedBuildTime);

} // namespace kelvane::platform
