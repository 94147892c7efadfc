#include "app/Application.h"

#include "app/AppIdentity.h"
#include "app/Language.h"
#include "app/RecordedBuildTime.h"
#include "app/Startup.h"
#include "common/SystemClock.h"
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
#include "program/ProgramData.h"
#include "settings/SettingsFile.h"
#include "ui/AboutMenus.h"
#include "ui/StartupErrors.h"
#include "ui/UserMessages.h"
#include "ui/VisualStyles.h"
#include "ui/frmMainUpdates.h"
#include "ui/frmMain_unit.h"
#include "update/UpdateClass.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {

int RunApplication(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);

    // Caught before the instance can be reached, so that a signal sent once it answers waits for the
    // window, which then saves and ends. A second start ends on its own moments later.
    std::optional<platform::LinuxTerminationSignals> terminationSignals(std::in_place);
    platform::LinuxPathsAndInstance platform;
    const StartupOutcome outcome = RunInstanceSteps(arguments, platform);
    if (!outcome.RunProgram) {
        return 0;
    }

    // Kept for the whole run: the texts are looked up while the program runs.
    Language language;
    if (const Status loaded = language.LoadLanguage(platform.ExecutableFolder() + LanguageFileName, DefaultLanguage);
        !loaded) {
        terminationSignals.reset(); // nothing to save: a signal may end the start's message at once
        ui::ReportFatalStartupError(argc, argv, loaded.message());
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
    // The window hides to the tray on close; only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::MessageBoxMessages messages;
    // Before the main window exists, so that it is created in the chosen style.
    ui::ApplyStartupSkin(SettingsFileName(outcome.DataFolder), messages);

    if (outcome.DataFolderError) {
        std::fprintf(stderr, "%s: %s\n", ApplicationTitle, outcome.DataFolderError->c_str());
        messages.ShowError(nullptr, QString::fromStdString(*outcome.DataFolderError));
    }

    platform::QtDebugOutput debug;
    const platform::QtTimeZone zone;
    const platform::LinuxRegionalSettings regional;
    const SystemClock clock(zone);
    platform::LinuxScreensaverSetting setting;
    platform::LinuxShell shell;
    platform::LinuxProcessesAndInput processes;
    platform::QtIconProvider icons;
    platform::LinuxAutostartEntry autostart;
    platform::QtWebBrowser browser;
    platform::LinuxBuildStamp buildStamp(RecordedBuildTime());
    const ui::AboutContext about{browser, buildStamp, zone, regional};
    platform::QtHttpGet http;
    // The environment may point the check at a mirror, or at a test's own server.
    const ui::UpdateContext updates{
        http, browser, UpdateFileAddress(VendorSiteAddress, platform::EnvironmentValue("KELVANE_UPDATE_URL"))};
    // Made before the window and gone after it: the window loads it, and saves it all at the end.
    ProgramData data(outcome.DataFolder, {clock, zone, regional, icons});
    ui::TfrmMain window({data, debug, messages, clock, zone, regional, setting, shell, processes, autostart});
    QObject::connect(&window, &ui::TfrmMain::exitCompleted, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    ui::ConnectAboutMenus(&window, window.Menus(), about);
    window.ConnectUpdateCheck(updates);
    // The end of the desktop session, or a termination signal, runs the same exit as "Exit": nothing the
    // user changed since the start is lost. A session manager's save request saves and goes on.
    terminationSignals->HandOver([&window](int) { window.EndSession(); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.SaveSession(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window, [&window] { window.EndSession(); });
    platform.ListenForInstanceRequests([&window](platform::InstanceRequest request) {
        if (request == platform::InstanceRequest::Exit) {
            window.Exit1Click();
        } else {
            window.BringTheWindowUp();
        }
    });
    window.ShowAtStart();
    return QApplication::exec();
}

} // namespace kelvane
