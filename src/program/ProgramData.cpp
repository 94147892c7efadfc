#include "program/ProgramData.h"

#include "common/FileIO.h"
#include "library/ListFiles.h"

#include <algorithm>
#include <filesystem>

namespace kelvane {

ProgramData::ProgramData(std::string dataFolder, Services services)
    : m_dataFolder(std::move(dataFolder)), m_services(services), m_iconCache(services.Icons),
      m_screensavers(m_iconCache), m_folderEncoding(DefaultListFileEncoding())
{}

std::string ProgramData::SettingsFile() const
{
    return SettingsFileName(m_dataFolder);
}

std::string ProgramData::ScreensaverListFile() const
{
    return m_dataFolder + ScreensaverListFileBaseName;
}

std::string ProgramData::FolderListFile() const
{
    return m_dataFolder + FolderListFileBaseName;
}

std::string ProgramData::EventsFile() const
{
    return EventsFileName(m_dataFolder);
}

std::string ProgramData::EventLogFile() const
{
    return EventLogFileName(m_dataFolder);
}

void ProgramData::LeaveAlone(const std::string& file, std::string why)
{
    m_leftAlone[file] = std::move(why);
}

Status ProgramData::LeftAlone(const std::string& file) const
{
    const auto found = m_leftAlone.find(file);
    if (found == m_leftAlone.end()) {
        return Status::Ok();
    }
    return Status::Error(file + " was not written: " + found->second + ".");
}

void ProgramData::LoadListFiles(const std::string& windowsFolder, const std::string& programFolder)
{
    // A file that is there but cannot be read (it belongs to another user, say) still holds the user's
    // data: writing the empty or default table over it at the exit would lose it for good.
    const auto unreadable = [this](const std::string& file, const std::string& why) {
        LeaveAlone(file, "it could not be read at the start (" + why + ")");
        m_startProblems.push_back(file + " could not be read: " + why +
                                  ". Kelvane leaves it as it is and does not write it until the next start.");
    };
    if (FileExists(ScreensaverListFile())) {
        if (const Status read = m_screensavers.LoadListFromFile(ScreensaverListFile()); !read) {
            unreadable(ScreensaverListFile(), read.message());
        }
    }
    m_folderLines = {windowsFolder,
                     windowsFolder + static_cast<char>(std::filesystem::path::preferred_separator) + "System32"};
    if (!programFolder.empty()) {
        m_folderLines.push_back(programFolder);
    }
    if (FileExists(FolderListFile())) {
        if (auto read = ReadListFile(FolderListFile())) {
            const ListFileText& text = read.value();
            m_folderEncoding = text.HadByteOrderMark ? text.Encoding : DefaultListFileEncoding();
            m_folderLines = std::move(read).value().Lines;
        } else {
            unreadable(FolderListFile(), read.message());
        }
    }
}

EventsLoadResult ProgramData::LoadEventTable()
{
    EventsLoadResult result;
    if (FileExists(EventsFile())) {
        result = LoadEvents(EventsFile(), m_events, m_services.Zone, m_services.Regional);
        const std::string problem = result.Problem.value_or(std::string());
        if (result.Unreadable) {
            LeaveAlone(EventsFile(), "it could not be read at the start (" + problem + ")");
            m_startProblems.push_back(EventsFile() + " could not be read: " + problem +
                                      ". Kelvane leaves it as it is and does not write it until the next start.");
        } else if (result.Problem) {
            std::string told = EventsFile() + " is damaged (" + problem +
                               "). Kelvane loaded the events it could read (" + std::to_string(result.RowsAdded) + ")";
            if (result.BackupFile) {
                told += " and kept the damaged file as " + *result.BackupFile + ".";
            } else {
                const std::string why = result.BackupProblem.value_or(std::string());
                LeaveAlone(EventsFile(), "it is damaged, and no copy of it could be kept (" + why + ")");
                told += ". No copy of it could be kept (" + why +
                        "), so Kelvane leaves it as it is and does not write it until the next start.";
            }
            m_startProblems.push_back(std::move(told));
        }
    } else {
        CreateDefaultEvents(m_events, m_services.LocalClock, m_services.Regional);
    }
    m_events.SelectedIndex = m_events.Rows.empty() ? -1 : 0;
    return result;
}

Status ProgramData::SaveEventTable()
{
    if (Status leftAlone = LeftAlone(EventsFile()); !leftAlone) {
        return leftAlone;
    }
    return SaveEvents(EventsFile(), m_events, m_services.Zone, m_services.Regional);
}

void ProgramData::LoadSettings(const IniValues& stored)
{
    m_settings = ReadProgramSettings(stored, m_settings.Action);
    m_log.MaxLogLines = m_settings.MaxLogLines;
    m_log.LogIsOn = m_settings.LogIsOn;
    m_log.SaveLog = m_settings.SaveLog;
    if (m_log.SaveLog) {
        m_log.LoadFile(EventLogFile());
    }
}

void ProgramData::AddLogStartupHeader(const std::string& nowText)
{
    if (m_log.SaveLog) {
        m_log.AddStartupHeader(nowText, m_settings.EventTimerEnabled, m_settings.EventTimerInterval,
                               m_settings.ToleranceSeconds);
    }
}

std::vector<std::string> ProgramData::SaveAll(const WindowSnapshot& window)
{
    std::vector<std::string> failures;
    const auto collect = [&failures](const Status& status) {
        if (!status && std::find(failures.begin(), failures.end(), status.message()) == failures.end()) {
            failures.push_back(status.message());
        }
    };

    if (const Status leftAlone = LeftAlone(FolderListFile()); !leftAlone) {
        collect(leftAlone);
    } else if (!WriteFileAtomically(FolderListFile(), SerializeListFile(m_folderLines, m_folderEncoding))) {
        collect(Status::Error("Unable to write to " + FolderListFile()));
    }
    if (const Status leftAlone = LeftAlone(ScreensaverListFile()); !leftAlone) {
        collect(leftAlone);
    } else {
        collect(m_screensavers.SaveListToFile(ScreensaverListFile()));
    }
    collect(SaveEventTable());

    // Every key of the settings, the window's placement among them, goes into the file in one write.
    m_settings.LogIsOn = m_log.LogIsOn;
    m_settings.SaveLog = m_log.SaveLog;
    IniFileEdit settings(SettingsFile());
    PutProgramSettings(settings, m_flags, m_settings);
    PutColumnWidths(settings, window.Maximized, window.ColumnWidths);
    PutWindowPlacement(settings, window.State, window.NormalRect);
    collect(settings.Commit());
    if (m_log.SaveLog && !m_log.Lines().empty()) {
        collect(m_log.SaveFile(EventLogFile()));
    }
    return failures;
}

} // namespace kelvane
