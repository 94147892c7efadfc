#include "platform/linux/XScreenSaverStarter.h"

#include "common/FileIO.h"
#include "platform/linux/LinuxScreensaverSetting.h"

#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace kelvane::platform {
namespace {

const QString Program = QStringLiteral("xscreensaver");
// Without its splash window: it starts unasked, behind the user's work.
const QString NoSplash = QStringLiteral("--no-splash");

} // namespace

XScreenSaverStarter::XScreenSaverStarter(StatusNotices& notices) : m_daemon(notices) {}

void XScreenSaverStarter::CheckRunning(std::function<void(bool running)> answer)
{
    // A missing daemon makes the command fail at once; that failure is the answer, not a notice.
    m_daemon.Send(
        {QStringLiteral("-time")}, [answer](bool answered, const QString&) { answer(answered); }, true);
}

void XScreenSaverStarter::Start()
{
    // Detached: the daemon outlives this program and is never waited for.
    QProcess::startDetached(Program, {NoSplash});
}

Status XScreenSaverStarter::StartWithEverySession()
{
    const std::string program = QStandardPaths::findExecutable(Program).toStdString();
    if (program.empty()) {
        return Status::Error("XScreenSaver cannot start with the desktop: xscreensaver is not on the search path");
    }
    const Result<std::string> exec = DesktopExecLine(program);
    if (!exec) {
        return Status::Error("XScreenSaver cannot start with the desktop: " + exec.message());
    }
    const std::string file = EntryFileName();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=XScreenSaver\n"
                             "Comment=Screensaver daemon, started by Kelvane\n"
                             "Exec=" +
                             exec.value() + " " + NoSplash.toStdString() +
                             "\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n";
    if (const Status written = WriteFileAtomically(file, text); !written) {
        return Status::Error("XScreenSaver's autostart entry could not be saved: " + written.message());
    }
    return Status::Ok();
}

std::string XScreenSaverStarter::EntryFileName()
{
    return ConfigHome() + "/autostart/xscreensaver.desktop";
}

} // namespace kelvane::platform
