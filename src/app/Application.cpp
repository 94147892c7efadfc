#include "app/Application.h"

#include "app/Language.h"
#include "app/RecordedBuildTime.h"
#include "app/Startup.h"
#include "common/AppIdentity.h"
#include "common/SystemClock.h"
#include "platform/PlatformServices.h"
#include "program/ProgramData.h"
#include "settings/SettingsFile.h"
#include "ui/StartupErrors.h"
#include "ui/UserMessages.h"
#include "ui/VisualStyles.h"
#include "ui/about/AboutMenus.h"
#include "ui/frmMain_unit.h"
#include "ui/update/UpdateCheck.h"
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
    // Answered before anything else: a running instance is neither reached nor disturbed.
    if (const std::optional<std::string> information = InformationRequest(arguments)) {
        platform::PrintInformation(*information);
        return 0;
    }

    // A termination request that comes once the instance answers waits for the window, which then
    // saves and ends. A second start ends on its own moments later.
    platform::StartServices start = platform::MakeStartServices();
    const StartupOutcome outcome = RunInstanceSteps(arguments, *start.Instance);
    if (outcome.FatalProblem) {
        start.Termination->Release();
        ui::ReportFatalStartupError(argc, argv, *outcome.FatalProblem);
        return 1;
    }
    if (!outcome.RunProgram) {
        return 0;
    }

    // Kept for the whole run: the texts are looked up while the program runs.
    Language language;
    if (const Status loaded =
            language.LoadLanguage(LanguageFilePath(start.Instance->ExecutableFolder()), DefaultLanguage);
        !loaded) {
        start.Termination->Release(); // nothing to save: a request may end the start's message at once
        ui::ReportFatalStartupError(argc, argv, loaded.message());
        return 1;
    }

    platform::PrepareApplicationEnvironment();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
    // The window hides to the tray on close; only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::MessageBoxMessages messages;
    // One read of the settings file for the whole start: the style, then the window's own settings.
    std::optional<IniValues> storedSettings = ReadIniValues(SettingsFileName(outcome.DataFolder));
    // Before the main window exists, so that it is created in the chosen style.
    ui::ApplyStartupSkin(*storedSettings, messages);

    if (outcome.DataFolderError) {
        std::fprintf(stderr, "%s: %s\n", ApplicationTitle, outcome.DataFolderError->c_str());
        messages.ShowError(nullptr, QString::fromStdString(*outcome.DataFolderError));
    }

    const platform::PlatformServices system = platform::MakePlatformServices(RecordedBuildTime());
    const SystemClock clock(*system.Zone);
    const ui::AboutContext about{*system.Browser, *system.Stamp, *system.Zone, *system.Regional};
    const ui::UpdateContext updates{*system.Http, *system.Browser,
                                    UpdateFileAddress(VendorSiteAddress, system.UpdateAddressOverride)};
    // Made before the window and gone after it: the window loads it, and saves it all at the end.
    ProgramData data(outcome.DataFolder, {clock, *system.Zone, *system.Regional, *system.Icons});
    ui::TfrmMain window({data,
                         *system.Debug,
                         messages,
                         clock,
                         *system.Zone,
                         *system.Regional,
                         *system.Setting,
                         *system.DesktopShell,
                         *system.Processes,
                         *system.Autostart,
                         {},
                         system.Notices.get(),
                         system.Catalogue.get(),
                         system.Preview.get(),
                         &*storedSettings,
                         language.Translate("EmptyListHint"),
                         system.Daemon.get(),
                         system.WindowFrame,
                         language.Translate("PreviewOwnWindowNote")});
    storedSettings.reset(); // the window has read what it needs
    QObject::connect(&window, &ui::TfrmMain::exitCompleted, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    ui::ConnectAboutMenus(&window, window.Menus(), about);
    window.ConnectUpdateCheck(updates);
    // The end of the desktop session, or a termination request, runs the same exit as "Exit": nothing the
    // user changed since the start is lost. A session manager's save request saves and goes on.
    start.Termination->HandOver([&window] { window.EndSession(); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.SaveSession(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window, [&window] { window.EndSession(); });
    start.Instance->ListenForInstanceRequests([&window](platform::InstanceRequest request) {
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
