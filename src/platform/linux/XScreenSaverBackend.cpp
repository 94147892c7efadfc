#include "platform/linux/XScreenSaverBackend.h"

#include "common/FileNames.h"
#include "platform/linux/FullScreenHackWindow.h"
#include "platform/linux/LinuxOwnProcesses.h"
#include "platform/qt/QtText.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <unistd.h>

namespace kelvane::platform {
namespace {

// XScreenSaver's settings program; older versions call it xscreensaver-demo. Empty when neither is there.
QString SettingsProgram()
{
    QString program = QStandardPaths::findExecutable(QStringLiteral("xscreensaver-settings"));
    if (program.isEmpty()) {
        program = QStandardPaths::findExecutable(QStringLiteral("xscreensaver-demo"));
    }
    return program;
}

} // namespace

XScreenSaverBackend::XScreenSaverBackend(XScreenSaverPlaces places, std::shared_ptr<const XScreenSaverHacks> hacks,
                                         std::string windowsFolder, StatusNotices& notices, bool daemonInstalled,
                                         uid_t daemonUser)
    : m_places(std::move(places)), m_hacks(std::move(hacks)), m_windowsFolder(std::move(windowsFolder)),
      m_notices(notices), m_daemonInstalled(daemonInstalled), m_daemonUser(daemonUser), m_daemon(notices)
{}

XScreenSaverBackend::~XScreenSaverBackend() = default;

bool XScreenSaverBackend::Installed()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xscreensaver-command")).isEmpty();
}

bool XScreenSaverBackend::IsHack(const std::string& path) const
{
    return !EndsWithScr(path) && m_hacks->LabelOf(ExecutableFileName(path));
}

QString XScreenSaverBackend::HackProgram(const std::string& path) const
{
    const QString installed = FromUtf8(m_places.HackFolder + "/" + ExecutableFileName(path));
    return QFileInfo(installed).isExecutable() ? installed : QFileInfo(FromUtf8(path)).absoluteFilePath();
}

void XScreenSaverBackend::RunHack(const std::string& path)
{
    const QString program = HackProgram(path);
    const std::optional<size_t> number =
        m_daemonInstalled
            ? XScreenSaverSetting(m_places, *m_hacks, m_windowsFolder, m_notices, {}).DaemonListNumber(path)
            : std::nullopt;
    if (!number) {
        AfterEnding([this, program] { RunFullScreen(program); });
        return;
    }
    // Without a daemon the command fails at once; then the hack runs in a window of our own.
    m_daemon.Send(
        {QStringLiteral("-select"), QString::number(*number)},
        [this, program](bool answered, const QString&) {
            if (!answered) {
                RunFullScreen(program);
            }
        },
        true);
}

void XScreenSaverBackend::RunFullScreen(const QString& program)
{
    if (!m_fullScreen) {
        m_fullScreen = std::make_unique<FullScreenHackWindow>();
    }
    m_fullScreen->Run(program);
}

void XScreenSaverBackend::EndSaver(const std::function<void()>& exitInput)
{
    if (m_fullScreen && m_fullScreen->Running()) {
        m_fullScreen->End();
        return;
    }
    if (!m_daemonInstalled) {
        exitInput();
        return;
    }
    // Ending the hack's process would leave the daemon's screen blanked with a crash message: the
    // daemon is asked. It says "already inactive" when it showed nothing.
    auto daemonEnded = std::make_shared<bool>(false);
    m_daemon.Send(
        {QStringLiteral("-deactivate")},
        [daemonEnded](bool answered, const QString& said) {
            *daemonEnded = answered && !said.contains(QStringLiteral("inactive"));
        },
        true);
    m_daemon.Then([this, daemonEnded, exitInput](const std::function<void()>& finished) {
        if (*daemonEnded) {
            WaitUntilUnblanked(finished);
            return;
        }
        exitInput();
        finished();
    });
}

void XScreenSaverBackend::AfterEnding(const std::function<void()>& start)
{
    m_daemon.Then([start](const std::function<void()>& finished) {
        start();
        finished();
    });
}

void XScreenSaverBackend::WaitUntilUnblanked(const std::function<void()>& finished)
{
    // XScreenSaver 6 draws through a helper of the daemon's; an older daemon draws itself and is done
    // when it answers.
    const std::string helper = m_places.HackFolder + "/xscreensaver-gfx";
    auto* poll = new QTimer(&m_daemon);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, helper, finished, user = m_daemonUser] {
        // A fade slower than this is not waited for to its end: the next start is only late then.
        constexpr qint64 kLongestFadeMs = 10000;
        if (!OwnProcesses(user).AnyRuns(helper) || waited->elapsed() > kLongestFadeMs) {
            poll->stop();
            poll->deleteLater();
            finished();
        }
    });
    poll->start(50);
}

Status XScreenSaverBackend::OpenSettings()
{
    const QString program = SettingsProgram();
    if (!m_daemonInstalled || program.isEmpty()) {
        return Status::Error("XScreenSaver's settings program (xscreensaver-settings) is not installed");
    }
    if (!QProcess::startDetached(program, {})) {
        return Status::Error(program.toStdString() + " could not be started");
    }
    return Status::Ok();
}

bool XScreenSaverSettingsOpen()
{
    const QString program = SettingsProgram();
    return !program.isEmpty() && OwnProcesses(::getuid()).AnyRuns(program.toStdString());
}

QStringList HackPreviewCommand(const XScreenSaverBackend* backend, const std::string& path, uint64_t windowId)
{
    if (!backend || !backend->IsHack(path)) {
        return {};
    }
    return {backend->HackProgram(path), QStringLiteral("--window-id"), QStringLiteral("0x%1").arg(windowId, 0, 16)};
}

} // namespace kelvane::platform
