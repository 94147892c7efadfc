#pragma once

#include "common/Clock.h"
#include "common/TextEncoding.h"
#include "library/ScreensaverList.h"
#include "library/iconUtils.h"
#include "platform/RegionalSettings.h"
#include "platform/TimeZone.h"
#include "scheduler/EventLog.h"
#include "scheduler/EventsFile.h"
#include "scheduler/ScheduledEvent.h"
#include "settings/SettingsFile.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {

inline constexpr const char* ScreensaverListFileBaseName = "ssList.txt";
inline constexpr const char* FolderListFileBaseName = "folderList.txt";

// What the window alone knows at a save: its state, normal rectangle and the events list's columns.
struct WindowSnapshot
{
    WindowState State = WindowState::Normal;
    WindowRect NormalRect;
    bool Maximized = false;            // also while minimised from the maximised state
    std::vector<int32_t> ColumnWidths; // of the set that belongs to that state
};

// Everything the program keeps for the user while it runs, and the files it lives in: the screensaver
// list, the folder lines, the scheduled events, the event log and the settings. These are the only
// copies; the windows show them and change them through their own rules.
class ProgramData
{
public:
    struct Services
    {
        const Clock& LocalClock;
        const TimeZone& Zone;
        const RegionalSettings& Regional;
        IconProvider& Icons;
    };

    ProgramData(std::string dataFolder, Services services);
    ProgramData(const ProgramData&) = delete;
    ProgramData& operator=(const ProgramData&) = delete;

    const std::string& DataFolder() const { return m_dataFolder; }
    std::string SettingsFile() const;
    std::string ScreensaverListFile() const;
    std::string FolderListFile() const;
    std::string EventsFile() const;
    std::string EventLogFile() const;

    // The loads, in the order a start makes them (the windows do their own work between them).
    // The list of screensavers, then the folder lines; without a folder list, the Windows folder and its
    // System32, and the folder of the desktop's own screensaver programs when there is one. A file that
    // is there but cannot be read is left alone for the session (see StartProblems).
    void LoadListFiles(const std::string& windowsFolder, const std::string& programFolder = {});
    // The events file, or the two example events when there is none. A damaged file keeps what could be
    // read and a copy of itself; the result says what happened.
    EventsLoadResult LoadEventTable();
    // What the loads found wrong with the files, one text each, for the user to be told once.
    const std::vector<std::string>& StartProblems() const { return m_startProblems; }

    // Writes the event table as it is now; used by the scheduler as it goes and by "Save Changes". An
    // events file the start could not read, or of whose damage it could keep no copy, is not written
    // over: the answer then says why.
    Status SaveEventTable();
    // The section "Settings", with the log's switches; the log's file too when it is kept across runs.
    void LoadSettings(const IniValues& stored);
    // The header a start writes into a log that is kept across runs.
    void AddLogStartupHeader(const std::string& nowText);

    // Writes every file, in the exit's order: the folder lines, the screensaver list, the events, the
    // settings with the window's placement (one write of the whole file) and the event log (when it is
    // kept). A file that cannot be written does not stop the others; each failure's text is given, and
    // so is each file left alone because the start could not read it.
    std::vector<std::string> SaveAll(const WindowSnapshot& window);

    ScreensaverList& Screensavers() { return m_screensavers; }
    const ScreensaverList& Screensavers() const { return m_screensavers; }
    std::vector<std::string>& FolderLines() { return m_folderLines; }
    const std::vector<std::string>& FolderLines() const { return m_folderLines; }
    EventTable& Events() { return m_events; }
    const EventTable& Events() const { return m_events; }
    EventLog& Log() { return m_log; }
    const EventLog& Log() const { return m_log; }
    ProgramSettings& Settings() { return m_settings; }
    const ProgramSettings& Settings() const { return m_settings; }
    StartupFlags& Flags() { return m_flags; }
    const StartupFlags& Flags() const { return m_flags; }

private:
    // The file keeps what it holds for the rest of the session: nothing writes over it.
    void LeaveAlone(const std::string& file, std::string why);
    // Why the file is not written, when it is left alone.
    Status LeftAlone(const std::string& file) const;

    std::string m_dataFolder;
    Services m_services;
    IconCache m_iconCache;
    ScreensaverList m_screensavers;
    std::vector<std::string> m_folderLines;
    TextEncoding m_folderEncoding;
    EventTable m_events;
    EventLog m_log;
    ProgramSettings m_settings;
    StartupFlags m_flags;
    std::map<std::string, std::string> m_leftAlone; // file, and why it is not written in this session
    std::vector<std::string> m_startProblems;
};

} // namespace kelvane
