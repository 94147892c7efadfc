#include "platform/linux/LinuxShell.h"

#include "platform/linux/XScreenSaverBackend.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace kelvane::platform {
namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void StartDetached(const QStringList& command)
{
    if (!command.isEmpty()) {
        QProcess::startDetached(command.front(), command.mid(1));
    }
}

} // namespace

QStringList LinuxShell::ScreensaverCommand(const std::string& path, bool configure)
{
    // A full path, so that a name starting with "-" or holding no "/" is never looked up or read as an
    // option, by wine as by the program itself.
    const QString file = QFileInfo(FromUtf8(path)).absoluteFilePath();
    if (file.endsWith(QStringLiteral(".scr"), Qt::CaseInsensitive)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (wine.isEmpty()) {
            return {};
        }
        return {wine, file, configure ? QStringLiteral("/c") : QStringLiteral("/s")};
    }
    if (configure) {
        return {}; // native programs have no common way to open their settings
    }
    return {file};
}

void LinuxShell::RunScreensaverFile(const std::string& path)
{
    if (!m_xscreensaver) {
        StartDetached(ScreensaverCommand(path, false));
        return;
    }
    if (m_xscreensaver->IsHack(path)) {
        m_xscreensaver->RunHack(path);
        return;
    }
    // Not before a screensaver that is being ended has gone: the input that ends it would end this one.
    m_xscreensaver->AfterEnding([command = ScreensaverCommand(path, false)] { StartDetached(command); });
}

void LinuxShell::ConfigureScreensaverFile(const std::string& path)
{
    StartDetached(ScreensaverCommand(path, true));
}

void LinuxShell::OpenScreensaverControlPanel()
{
    if (m_xscreensaver && m_xscreensaver->OpenSettings()) {
        return;
    }
    // The settings programs of the desktops that have a screensaver of their own, most specific first.
    const QStringList candidates[] = {
        {QStringLiteral("xfce4-screensaver-preferences")},
        {QStringLiteral("mate-screensaver-preferences")},
        {QStringLiteral("cinnamon-settings"), QStringLiteral("screensaver")},
        {QStringLiteral("xscreensaver-settings")},
        {QStringLiteral("xscreensaver-demo")},
    };
    for (const QStringList& candidate : candidates) {
        const QString program = QStandardPaths::findExecutable(candidate.front());
        if (!program.isEmpty()) {
            StartDetached(QStringList{program} + candidate.mid(1));
            return;
        }
    }
}

void LinuxShell::ShowFileProperties(const std::string& path)
{
    AskFileManager(QStringLiteral("ShowItemProperties"), path);
}

void LinuxShell::ShowFileInFolder(const std::string& path)
{
    AskFileManager(QStringLiteral("ShowItems"), path);
}

void LinuxShell::CopyPathToClipboard(const std::string& path)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(FromUtf8(path));
    }
}

void LinuxShell::AskFileManager(const QString& method, const std::string& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        OpenContainingFolder(path);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
                                                       QStringLiteral("/org/freedesktop/FileManager1"),
                                                       QStringLiteral("org.freedesktop.FileManager1"), method);
    call << QStringList{QUrl::fromLocalFile(FromUtf8(path)).toString()} << QString();
    // Asynchronous: a file manager that is slow to start must not freeze the window.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 10000), this);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, path] {
        if (watcher->isError()) {
            OpenContainingFolder(path);
        }
        watcher->deleteLater();
    });
}

void LinuxShell::OpenContainingFolder(const std::string& path)
{
    const QString folder = QFileInfo(FromUtf8(path)).absolutePath();
    if (QDir(folder).exists()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    }
}

} // namespace kelvane::platform
