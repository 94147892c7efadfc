#pragma once

#include "common/Status.h"
#include "platform/StatusNotices.h"
#include "platform/linux/XScreenSaverDaemon.h"
#include "platform/xscreensaver/XScreenSaverHacks.h"
#include "platform/xscreensaver/XScreenSaverSetting.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <unistd.h>

namespace kelvane::platform {

class FullScreenHackWindow;

// XScreenSaver as the desktop's screensaver, for running and ending one now: its hacks, its daemon
// (when installed), and a hack of our own full screen when no daemon runs.
class XScreenSaverBackend
{
public:
    // The daemon, and the helper it draws with, run as the daemon's user: the one this program runs as.
    XScreenSaverBackend(XScreenSaverPlaces places, std::shared_ptr<const XScreenSaverHacks> hacks,
                        std::string windowsFolder, StatusNotices& notices, bool daemonInstalled,
                        uid_t daemonUser = ::getuid());
    ~XScreenSaverBackend();

    // Whether XScreenSaver is installed: its command is on the search path.
    static bool Installed();

    // True for a hack (not a Windows ".scr" file).
    bool IsHack(const std::string& path) const;
    // The hack's executable: the one in the hack folder when it is there, else the path itself.
    QString HackProgram(const std::string& path) const;
    // Runs the hack now: the daemon shows it when the daemon runs and lists it, else a window of ours.
    void RunHack(const std::string& path);
    // Ends a running screensaver: our own full-screen hack, else the daemon's ("-deactivate"). When the
    // daemon showed nothing (the screensaver that runs is not its own) or cannot be reached, the exit
    // input ends it instead; never both, as the input would end what the daemon shows next.
    void EndSaver(const std::function<void()>& exitInput);
    // Runs the start once an end asked for before it is over, the daemon's fading back included: a
    // screensaver started before that would be ended with the old one, or never shown.
    void AfterEnding(const std::function<void()>& start);
    // Opens XScreenSaver's own settings window; why it cannot, when it cannot.
    Status OpenSettings();

    const XScreenSaverHacks& Hacks() const { return *m_hacks; }

private:
    void RunFullScreen(const QString& program);
    // Calls finished once the daemon's screen has gone: the helper that draws it fades back and then
    // ends, a while after the daemon has answered.
    void WaitUntilUnblanked(const std::function<void()>& finished);

    const XScreenSaverPlaces m_places;
    const std::shared_ptr<const XScreenSaverHacks> m_hacks;
    const std::string m_windowsFolder;
    StatusNotices& m_notices;
    const bool m_daemonInstalled;
    const uid_t m_daemonUser;
    XScreenSaverDaemon m_daemon;
    std::unique_ptr<FullScreenHackWindow> m_fullScreen; // made at its first use
};

// Whether the user has XScreenSaver's settings window open: one of the user's own processes runs the
// settings program found on the search path (another user's, or a program that only names it, does not
// count). A change written while it is open would be undone when it saves.
bool XScreenSaverSettingsOpen();

// The program and arguments that draw the file into the window; empty when it cannot (a Windows
// screensaver cannot draw into an X window through Wine).
QStringList HackPreviewCommand(const XScreenSaverBackend* backend, const std::string& path, uint64_t windowId);

} // namespace kelvane::platform
