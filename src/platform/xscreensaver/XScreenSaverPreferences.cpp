#include "platform/xscreensaver/XScreenSaverPreferences.h"

#include <algorithm>

namespace kelvane::platform {
namespace {

constexpr size_t MaximumFileSize = 4 * 1024 * 1024;
constexpr std::string_view EntryIndent = "\t\t\t\t";
constexpr std::string_view EntryEnd = "\t\t\t\t    \\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           c == '*' || c == '?' || c == '-';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A line continues on the next when it ends in an odd number of backslashes (an even number is
// escaped backslashes).
bool EndsWithContinuation(std::string_view line)
{
    size_t count = 0;
    while (count < line.size() && line[line.size() - 1 - count] == '\\') {
        ++count;
    }
    return count % 2 == 1;
}

// The line's text without the continuation backslash and the blanks at its end.
std::string_view WithoutContinuation(std::string_view line)
{
    if (EndsWithContinuation(line)) {
        line.remove_suffix(1);
    }
    while (!line.empty() && IsBlank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

HackProgramEntry ParseEntry(std::string_view text)
{
    HackProgramEntry entry;
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '-') {
        entry.Enabled = false;
        text = TrimBlanks(text.substr(1));
    }
    // A first word that ends in a colon names the visual ("GL:").
    const size_t wordEnd = std::min(text.find_first_of(" \t"), text.size());
    if (wordEnd > 1 && text[wordEnd - 1] == ':' && text.front() != '"') {
        entry.Visual = std::string(text.substr(0, wordEnd - 1));
        text = TrimBlanks(text.substr(wordEnd));
    }
    if (!text.empty() && text.front() == '"') {
        const size_t close = text.find('"', 1);
        if (close != std::string_view::npos) {
            entry.PrettyName = std::string(text.substr(1, close - 1));
            text = TrimBlanks(text.substr(close + 1));
        }
    }
    entry.Command = std::string(text);
    return entry;
}

struct ScannedLines
{
    std::vector<std::string> Lines;
    std::string Error;
};

} // namespace

std::string HackProgramEntry::ProgramName() const
{
    const size_t end = Command.find_first_of(" \t");
    return Command.substr(0, end);
}

std::vector<HackProgramEntry> ParseHackPrograms(std::string_view rawValue)
{
    std::vector<HackProgramEntry> entries;
    std::string current;
    auto finish = [&] {
        if (!TrimBlanks(current).empty()) {
            entries.push_back(ParseEntry(current));
        }
        current.clear();
    };
    for (size_t i = 0; i < rawValue.size(); ++i) {
        const char c = rawValue[i];
        if (c == '\\' && i + 1 < rawValue.size()) {
            const char next = rawValue[++i];
            if (next == 'n') {
                finish();
            } else if (next == '\\' || next == ' ' || next == '\t') {
                current += next;
            } else {
                current += c;
                current += next;
            }
            continue;
        }
        current += c;
    }
    finish();
    return entries;
}

Result<XScreenSaverPreferences> XScreenSaverPreferences::Parse(std::string_view text)
{
    if (text.size() > MaximumFileSize) {
        return Result<XScreenSaverPreferences>::Error("it is larger than 4 MB");
    }
    if (text.find('\0') != std::string_view::npos) {
        return Result<XScreenSaverPreferences>::Error("it holds a NUL byte, so it is not a text file");
    }
    XScreenSaverPreferences preferences;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        preferences.m_lines.emplace_back(line);
        start = end + 1;
    }
    if (const std::optional<size_t> unread = preferences.Reindex()) {
        return Result<XScreenSaverPreferences>::Error("line " + std::to_string(*unread + 1) +
                                                      " is not a setting (\"name: value\") or a comment");
    }
    return preferences;
}

std::optional<size_t> XScreenSaverPreferences::Reindex()
{
    std::optional<size_t> unread;
    m_resources.clear();
    for (size_t i = 0; i < m_lines.size();) {
        const std::string& line = m_lines[i];
        size_t pos = 0;
        while (pos < line.size() && IsBlank(line[pos])) {
            ++pos;
        }
        if (pos == line.size() || line[pos] == '!' || line[pos] == '#') {
            ++i;
            continue;
        }
        const size_t nameStart = pos;
        while (pos < line.size() && IsNameCharacter(line[pos])) {
            ++pos;
        }
        size_t colon = pos;
        while (colon < line.size() && IsBlank(line[colon])) {
            ++colon;
        }
        if (pos == nameStart || colon >= line.size() || line[colon] != ':') {
            if (!unread) {
                unread = i;
            }
            ++i;
            continue;
        }
        Resource resource;
        resource.Name = line.substr(nameStart, pos - nameStart);
        if (resource.Name.front() == '*') {
            resource.Name.erase(0, 1);
        }
        size_t value = colon + 1;
        while (value < line.size() && IsBlank(line[value])) {
            ++value;
        }
        resource.FirstLine = i;
        resource.ValueColumn = value;
        size_t last = i;
        while (last + 1 < m_lines.size() && EndsWithContinuation(m_lines[last])) {
            ++last;
        }
        resource.LineCount = last - i + 1;
        m_resources.push_back(std::move(resource));
        i = last + 1;
    }
    return unread;
}

XScreenSaverPreferences XScreenSaverPreferences::FromSystemDefaults(const XScreenSaverPreferences& defaults)
{
    XScreenSaverPreferences preferences;
    preferences.m_lines = {"# XScreenSaver Preferences File", "# Made by Kelvane from the system's defaults.", ""};
    for (const Resource& resource : defaults.m_resources) {
        // Only the daemon's own settings: names with a dot or a star inside belong to other programs or
        // to single hacks.
        if (resource.Name.find_first_of(".*?") != std::string::npos) {
            continue;
        }
        for (size_t i = 0; i < resource.LineCount; ++i) {
            std::string line = defaults.m_lines[resource.FirstLine + i];
            if (i == 0) {
                const size_t star = line.find('*');
                if (star != std::string::npos && star < resource.ValueColumn) {
                    line.erase(star, 1);
                }
            }
            preferences.m_lines.push_back(std::move(line));
        }
    }
    (void)preferences.Reindex();
    return preferences;
}

int XScreenSaverPreferences::FindLast(std::string_view name) const
{
    for (size_t i = m_resources.size(); i-- > 0;) {
        if (m_resources[i].Name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string XScreenSaverPreferences::RawValue(const Resource& resource) const
{
    std::string value;
    for (size_t i = 0; i < resource.LineCount; ++i) {
        std::string_view line = m_lines[resource.FirstLine + i];
        if (i == 0) {
            line.remove_prefix(std::min(resource.ValueColumn, line.size()));
        }
        if (EndsWithContinuation(line)) {
            line.remove_suffix(1);
        }
        value += line;
    }
    return value;
}

std::optional<std::string> XScreenSaverPreferences::Value(std::string_view name) const
{
    const int index = FindLast(name);
    if (index < 0) {
        return std::nullopt;
    }
    return std::string(TrimBlanks(RawValue(m_resources[static_cast<size_t>(index)])));
}

std::vector<HackProgramEntry> XScreenSaverPreferences::Programs() const
{
    const int index = FindLast("programs");
    if (index < 0) {
        return {};
    }
    return ParseHackPrograms(RawValue(m_resources[static_cast<size_t>(index)]));
}

void XScreenSaverPreferences::SetValue(std::string_view name, std::string_view value)
{
    const int index = FindLast(name);
    if (index >= 0) {
        const Resource& resource = m_resources[static_cast<size_t>(index)];
        std::string first = m_lines[resource.FirstLine].substr(0, resource.ValueColumn);
        if (!first.empty() && first.back() == ':') {
            first += '\t';
        }
        m_lines[resource.FirstLine] = first + std::string(value);
        const auto from = m_lines.begin() + static_cast<std::ptrdiff_t>(resource.FirstLine + 1);
        m_lines.erase(from, from + static_cast<std::ptrdiff_t>(resource.LineCount - 1));
    } else {
        const int programs = FindLast("programs");
        std::string line = std::string(name) + ":\t\t" + std::string(value);
        if (programs >= 0) {
            const auto at = static_cast<std::ptrdiff_t>(m_resources[static_cast<size_t>(programs)].FirstLine);
            m_lines.insert(m_lines.begin() + at, std::move(line));
        } else {
            AppendLine(std::move(line));
        }
    }
    (void)Reindex();
}

size_t XScreenSaverPreferences::AddProgram(std::string_view entryText)
{
    const std::string entryLine = std::string(EntryIndent) + std::string(entryText) + std::string(EntryEnd);
    const int index = FindLast("programs");
    if (index < 0) {
        AppendLine("programs:\t\t\t\t\t\t\t\t      \\");
        m_lines.push_back(entryLine);
        (void)Reindex();
        return 0;
    }
    const Resource resource = m_resources[static_cast<size_t>(index)];
    const size_t count = Programs().size();
    if (count == 0) {
        m_lines[resource.FirstLine] = m_lines[resource.FirstLine].substr(0, resource.ValueColumn) + "\\";
        const auto from = m_lines.begin() + static_cast<std::ptrdiff_t>(resource.FirstLine + 1);
        m_lines.erase(from, from + static_cast<std::ptrdiff_t>(resource.LineCount - 1));
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(resource.FirstLine + 1), entryLine);
        (void)Reindex();
        return 0;
    }
    // The last line of the list that holds an entry ends it; it is made to end its entry and continue.
    size_t last = resource.FirstLine;
    for (size_t i = 0; i < resource.LineCount; ++i) {
        std::string_view line = m_lines[resource.FirstLine + i];
        if (i == 0) {
            line.remove_prefix(std::min(resource.ValueColumn, line.size()));
        }
        if (!TrimBlanks(WithoutContinuation(line)).empty()) {
            last = resource.FirstLine + i;
        }
    }
    std::string ending(WithoutContinuation(m_lines[last]));
    const bool endsItsEntry = ending.size() >= 2 && ending.back() == 'n' &&
                              EndsWithContinuation(std::string_view(ending).substr(0, ending.size() - 1));
    if (!endsItsEntry) {
        ending += " \\n";
    }
    m_lines[last] = ending + "\\";
    // The list's lines after its last entry hold nothing but blanks and continuations: once the new
    // entry ends the list they would stand alone, so they go.
    const auto after = m_lines.begin() + static_cast<std::ptrdiff_t>(last + 1);
    m_lines.erase(after, m_lines.begin() + static_cast<std::ptrdiff_t>(resource.FirstLine + resource.LineCount));
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(last + 1), entryLine);
    (void)Reindex();
    return count;
}

bool XScreenSaverPreferences::ReplaceCommand(std::string_view oldCommand, std::string_view newCommand)
{
    const int index = FindLast("programs");
    if (index < 0 || oldCommand.empty()) {
        return false;
    }
    const Resource resource = m_resources[static_cast<size_t>(index)];
    for (size_t i = 0; i < resource.LineCount; ++i) {
        std::string& line = m_lines[resource.FirstLine + i];
        const size_t from = i == 0 ? std::min(resource.ValueColumn, line.size()) : 0;
        for (size_t at = line.find(oldCommand, from); at != std::string::npos; at = line.find(oldCommand, at + 1)) {
            // Only a whole command: what stands before it ends a pretty name or a visual, or is blank; the
            // entry's end or a blank follows it.
            const size_t end = at + oldCommand.size();
            const bool startsAlone = at == from || IsBlank(line[at - 1]) || line[at - 1] == '"' || line[at - 1] == ':';
            const bool endsAlone = end == line.size() || IsBlank(line[end]) || line[end] == '\\';
            if (startsAlone && endsAlone) {
                line.replace(at, oldCommand.size(), newCommand);
                (void)Reindex();
                return true;
            }
        }
    }
    return false;
}

void XScreenSaverPreferences::AppendLine(std::string line)
{
    // A file whose last line asks for a continuation would take the new line into its last value.
    if (!m_lines.empty() && EndsWithContinuation(m_lines.back())) {
        m_lines.emplace_back();
    }
    m_lines.push_back(std::move(line));
}

std::string XScreenSaverPreferences::Text() const
{
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += '\n';
    }
    return text;
}

} // namespace kelvane::platform
