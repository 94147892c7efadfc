#include "scheduler/EventLog.h"

#include "common/FileIO.h"

namespace kelvane {

std::string EventLogFileName(const std::string& dataFolder)
{
    return dataFolder + EventLogFileBaseName;
}

size_t EventLog::TrimLog()
{
    size_t dropped = 0;
    while (!m_lines.empty() && static_cast<int64_t>(m_lines.size()) > int64_t{MaxLogLines}) {
        m_lines.pop_front();
        ++dropped;
    }
    return dropped;
}

void EventLog::AddLogLine(const std::string& text)
{
    if (!LogIsOn) {
        return;
    }
    const size_t dropped = TrimLog();
    m_lines.push_back(text);
    if (OnLineAdded) {
        OnLineAdded(dropped, text);
    }
}

void EventLog::AddStartupHeader(const std::string& nowText, bool schedulingOn, int32_t eventTimerInterval,
                                int32_t toleranceSeconds)
{
    AddLogLine("[" + nowText + "]");
    if (!schedulingOn) {
        AddLogLine("Scheduled Events are OFF");
    }
    AddLogLine("Timer: " + std::to_string(eventTimerInterval));
    AddLogLine("Tolerance: " + std::to_string(toleranceSeconds));
    AddLogLine(LogSeparatorLine);
}

void EventLog::LoadFile(const std::string& file)
{
    if (!FileExists(file)) {
        return;
    }
    const auto bytes = ReadFileBytes(file);
    if (!bytes) {
        return;
    }
    const DecodedText decoded = DecodeTextLenient(bytes.value());
    m_encoding = decoded.encoding;
    const std::vector<std::string> lines = SplitLines(decoded.utf8);
    m_lines.assign(lines.begin(), lines.end());
}

Status EventLog::SaveFile(const std::string& file) const
{
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    if (!WriteFileAtomically(file, EncodeText(text, m_encoding))) {
        return Status::Error("Unable to write to " + file);
    }
    return Status::Ok();
}

} // namespace kelvane
