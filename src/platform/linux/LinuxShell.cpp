#include "platform/linux/LinuxShell.h"

#include "common/FileNames.h"
#include "common/TextEncoding.h"
#include "platform/linux/WineDrive.h"
#include "platform/linux/XScreenSaverBackend.h"
#include "platform/qt/QtText.h"

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

#include <filesystem>
#include <system_error>

namespace kelvane::platform {
namespace {

void StartDetached(const QStringList& command)
{
    if (!command.isEmpty()) {
        QProcess::startDetached(command.front(), command.mid(1));
    }
}

} // namespace

bool LinuxShell::ScreensaverFileExists(const std::string& path)
{
    if (m_xscreensaver && m_xscreensaver->IsHack(path)) {
        return QFileInfo(m_xscreensaver->HackProgram(path)).isFile();
    }
    std::error_code ec;
    return std::filesystem::is_regular_file(LocalScreensaverFile(path), ec);
}

QStringList LinuxShell::ScreensaverCommand(const std::string& path, bool configure)
{
    const std::string local = LocalScreensaverFile(path);
    if (!IsValidUtf8(local)) {
        return {};
    }
    // A full path, so that a name starting with "-" or holding no "/" is never looked up or read as an
    // option, by wine as by the program itself.
    const QString file = QFileInfo(FromUtf8(local)).absoluteFilePath();
    if (EndsWithScr(local)) {
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
    if (!NameCanBeStarted(path)) {
        return;
    }
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
    if (m_xscreensaver && m_xscreensaver->IsHack(path)) {
        // A hack's options are in XScreenSaver's settings window, which cannot be opened on one hack.
        const std::string name = ExecutableFileName(path);
        const std::string label = m_xscreensaver->Hacks().LabelOf(name).value_or(name);
        if (const Status opened = m_xscreensaver->OpenSettings(); !opened) {
            Tell("The options of \"" + label + "\" cannot be opened: " + opened.message());
        } else {
            Tell("XScreenSaver's settings are opening: the options of \"" + label + "\" are under its entry there");
        }
        return;
    }
    if (!NameCanBeStarted(path)) {
        return;
    }
    const QStringList command = ScreensaverCommand(path, true);
    if (command.isEmpty()) {
        const bool windowsProgram = EndsWithScr(path);
        Tell(windowsProgram ? "The options of " + path + " cannot be opened: Wine is not installed"
                            : path + " has no options that Kelvane can open: it is neither a Windows screensaver "
                                     "nor one of XScreenSaver's");
        return;
    }
    if (!QProcess::startDetached(command.front(), command.mid(1))) {
        Tell("The options of " + path + " cannot be opened: " + command.front().toStdString() +
             " could not be started");
    }
}

bool LinuxShell::NameCanBeStarted(const std::string& path)
{
    if (IsValidUtf8(LocalScreensaverFile(path))) {
        return true;
    }
    Tell(path + " cannot be started: its name is not UTF-8, and a program's arguments would change it");
    return false;
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
    Tell("No screensaver settings program is installed on this desktop");
}

void LinuxShell::ShowFileProperties(const std::string& path)
{
    AskFileManager(QStringLiteral("ShowItemProperties"), LocalScreensaverFile(path), "show the properties of " + path);
}

void LinuxShell::ShowFileInFolder(const std::string& path)
{
    AskFileManager(QStringLiteral("ShowItems"), LocalScreensaverFile(path), "show " + path + " in its folder");
}

void LinuxShell::CopyPathToClipboard(const std::string& path)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(FromUtf8(path));
    }
}

void LinuxShell::AskFileManager(const QString& method, const std::string& path, const std::string& what)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        OpenContainingFolder(path, what);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
                                                       QStringLiteral("/org/freedesktop/FileManager1"),
                                                       QStringLiteral("org.freedesktop.FileManager1"), method);
    call << QStringList{QUrl::fromLocalFile(FromUtf8(path)).toString()} << QString();
    // Asynchronous: a file manager that is slow to start must not freeze the window.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 10000), this);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, path, what] {
        if (watcher->isError()) {
            OpenContainingFolder(path, what);
        }
        watcher->deleteLater();
    });
}

void LinuxShell::OpenContainingFolder(const std::string& path, const std::string& what)
{
    const QString folder = QFileInfo(FromUtf8(path)).absolutePath();
    if (!QDir(folder).exists()) {
        Tell("Kelvane cannot " + what + ": the folder " + folder.toStdString() + " does not exist");
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        Tell("Kelvane cannot " + what + ": no file manager answers, and no program that opens folders is installed");
    }
}

void LinuxShell::Tell(const std::string& text)
{
    if (m_notices) {
        m_notices->Report(text);
    }
}

} // namespace kelvane::platform
