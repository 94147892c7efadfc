#pragma once

#include "common/FileIO.h"
#include "common/Status.h"
#include "platform/ScreensaverCatalogue.h"
#include "platform/ScreensaverSetting.h"
#include "platform/StatusNotices.h"
#include "platform/xscreensaver/XScreenSaverPreferences.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::platform {

// Where XScreenSaver keeps its preferences.
struct XScreenSaverPlaces
{
    std::string UserFile;        // ~/.xscreensaver
    std::string SystemDefaults;  // the app-defaults file a user without a file of their own gets
    std::string HackFolder;      // where the hacks are installed
    std::string WinePrefix = {}; // the Wine prefix whose drives a Windows path ("C:\...") names
};

// The programs-list entry that runs the file: a hack by its name with its own arguments (as the
// system's list has it, else "--root"), or a Windows ".scr" through Wine with "/s". The daemon's reader
// of its file takes backslashes out and then hands the entry to /bin/sh, so a path goes in single
// quotes with none in it (a quote as '"'"'), and one that the list cannot carry (a relative one, a
// backslash, a control character) is refused with the reason.
//
// A ".scr" named by a drive letter ("C:\Windows\System32\foo.scr") stays a Windows path in the entry,
// with slashes for its backslashes, which Wine reads the same way, and with the Wine prefix it was found
// in: "env WINEPREFIX='<prefix>' wine 'C:/Windows/System32/foo.scr' /s". Wine then looks the file up on
// that prefix's drive exactly as the existence check before did, whatever prefix the daemon itself
// would use, and the entry reads back as the path that was set, so the list's row for it shows as the
// active one, at once and after a restart. A drive-letter path written with slashes reads back with
// backslashes.
Result<std::string> HackEntryForPath(const std::string& path, const ScreensaverCatalogue& hacks,
                                     const std::vector<HackProgramEntry>& systemEntries, const std::string& winePrefix);

// The file an entry runs: the hack's path in the hack folder, or the ".scr" file of an entry made by
// HackEntryForPath (a drive-letter path with backslashes) or by an older version, which quoted a quote
// as '\''; a program given with its own path stays as it is.
std::string PathOfHackEntry(const HackProgramEntry& entry, const std::string& hackFolder);

// Writes a file whole; the question comes just before the new content replaces the old.
using FileWriter =
    std::function<Status(const std::string& path, const std::string& bytes, const BeforeReplace& beforeReplace)>;

// The desktop's screensaver as XScreenSaver's daemon reads it: "mode: one" with "selected:" pointing
// at the screensaver's entry in "programs:" (added when missing), "mode: off" for none and
// "mode: blank" for the blank screen, which this program calls the system's blank screensaver. The
// user's file is edited in place and replaced atomically; a missing one is made from the system's
// defaults; one that cannot be read or understood is never written over. Another program that saves
// the file while the change is written keeps its change: the file is compared with what was read just
// before it is replaced, and when it moved the change is made again on what it holds now. A change that
// cannot be made says why; what a read finds wrong goes to the notices, as a read has no result to
// carry it.
class XScreenSaverSetting final : public ScreensaverSetting
{
public:
    XScreenSaverSetting(XScreenSaverPlaces places, const ScreensaverCatalogue& hacks, std::string windowsFolder,
                        StatusNotices& notices, std::function<bool()> settingsProgramRuns,
                        FileWriter writeFile = WriteFileAtomically);

    std::string ReadActiveScreensaverPath() override;
    Status WriteActiveScreensaverPath(const std::string& path) override;
    Status ClearActiveScreensaverPath() override;
    std::string WindowsFolder() override { return m_windowsFolder; }

    // The number that the daemon's "-select" takes for the file: its entry's place in the list the
    // daemon runs, counted from 1; nothing when the file has no entry there.
    std::optional<size_t> DaemonListNumber(const std::string& path);

private:
    enum class Source
    {
        UserFile,
        SystemDefaults,
    };
    struct Loaded
    {
        XScreenSaverPreferences Preferences;
        Source From = Source::UserFile;
        std::optional<std::string> UserBytes; // the user's file as read; nothing when there was none
    };

    // The user's preferences, or the system's defaults when the user has no file; an error says why
    // neither could be read.
    Result<Loaded> Load();
    // Applies the edit to the user's preferences and saves them; says what went wrong.
    Status Change(const std::function<Status(XScreenSaverPreferences&)>& edit);
    // Saves the preferences while the user's file is still as it was read; moved tells that it was not.
    Status Save(const XScreenSaverPreferences& preferences, const std::optional<std::string>& asRead, bool& moved);
    bool UserFileIs(const std::optional<std::string>& bytes) const;
    std::string BlankPath() const;
    // The system's programs list; empty when its defaults cannot be read.
    std::vector<HackProgramEntry> SystemEntries() const;

    const XScreenSaverPlaces m_places;
    const ScreensaverCatalogue& m_hacks;
    const std::string m_windowsFolder;
    StatusNotices& m_notices;
    const std::function<bool()> m_settingsProgramRuns;
    const FileWriter m_writeFile;
};

} // namespace kelvane::platform
