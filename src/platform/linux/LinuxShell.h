#pragma once

#include "platform/Shell.h"
#include "platform/StatusNotices.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace kelvane::platform {

class XScreenSaverBackend;

// The desktop's side of a screensaver file on Linux. A ".scr" file is a Windows program: it runs
// through Wine when Wine is installed ("/s" to run, "/c" to configure). Any other file is taken for a
// native program and run directly. Programs get one argument vector, never a shell, and nothing
// waits for them. With XScreenSaver, a hack runs through its daemon, and its settings are XScreenSaver's.
// A path with a drive letter names a file on the Wine prefix's drive.
class LinuxShell final : public QObject, public Shell
{
public:
    // A file that cannot be started is reported to the notices, when given.
    explicit LinuxShell(std::shared_ptr<XScreenSaverBackend> xscreensaver = nullptr, StatusNotices* notices = nullptr)
        : m_xscreensaver(std::move(xscreensaver)), m_notices(notices)
    {}

    bool ScreensaverFileExists(const std::string& path) override;
    void RunScreensaverFile(const std::string& path) override;
    void ConfigureScreensaverFile(const std::string& path) override;
    void OpenScreensaverControlPanel() override;
    void ShowFileProperties(const std::string& path) override;
    void ShowFileInFolder(const std::string& path) override;
    void CopyPathToClipboard(const std::string& path) override;

    // The program and arguments that run (or configure) the file; empty when nothing can, as for a name
    // that is not UTF-8 (a program's arguments pass through Unicode text here, which would change it).
    static QStringList ScreensaverCommand(const std::string& path, bool configure);

private:
    // False, and the notices told, for a name that is not UTF-8: a program's arguments would change it.
    bool NameCanBeStarted(const std::string& path);
    // Asks the file manager over D-Bus; opens the file's folder when it cannot. When neither works (no
    // file manager, nothing that opens folders), the notices are told what could not be done.
    void AskFileManager(const QString& method, const std::string& path, const std::string& what);
    void OpenContainingFolder(const std::string& path, const std::string& what);
    void Tell(const std::string& text);

    std::shared_ptr<XScreenSaverBackend> m_xscreensaver;
    StatusNotices* m_notices;
};

} // namespace kelvane::platform
