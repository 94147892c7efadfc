#pragma once

#include "common/Status.h"
#include "common/TextEncoding.h"
#include "library/ListFiles.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace kelvane {

inline constexpr const char* EventLogFileBaseName = "eventLog.txt";
inline constexpr const char* LogSeparatorLine = "--------------------------------------------------";

std::string EventLogFileName(const std::string& dataFolder);

// The event log: a bounded list of lines, oldest first, that records only while logging is on.
class EventLog
{
public:
    bool LogIsOn = false;
    bool SaveLog = false;
    int32_t MaxLogLines = 1000;

    // Appends the line when logging is on, after dropping the oldest lines beyond the limit (so the log
    // holds at most the limit plus one).
    void AddLogLine(const std::string& text);

    const std::deque<std::string>& Lines() const { return m_lines; }

    // Tells the view which lines changed: the count dropped from the front and the line added.
    std::function<void(size_t dropped, const std::string& added)> OnLineAdded;

    // Replaces the lines with those of the file, untrimmed, and remembers the file's encoding for the
    // save. A missing file changes nothing.
    void LoadFile(const std::string& file);

    // Writes every line, each followed by CR LF, in the encoding the file was read in (when it was not
    // read: UTF-8, or the 8-bit code page on Windows).
    Status SaveFile(const std::string& file) const;

    // The lines a start adds when the log is kept across runs: the date and time, whether scheduling is
    // off, the timer and tolerance settings, and a separator.
    void AddStartupHeader(const std::string& nowText, bool schedulingOn, int32_t eventTimerInterval,
                          int32_t toleranceSeconds);

private:
    // Drops the oldest lines beyond the limit; gives how many went.
    size_t TrimLog();

    std::deque<std::string> m_lines;
    // A log made afresh is written as the system's own text files are: the 8-bit code page on Windows.
    TextEncoding m_encoding = DefaultListFileEncoding();
};

} // namespace kelvane
