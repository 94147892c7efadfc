#include "settings/IniDocument.h"

#include "common/TextCase.h"

#include <algorithm>

namespace kelvane {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s)
{
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

// The section name when the line opens a section.
std::optional<std::string_view> SectionName(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const size_t close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct KeyValue
{
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::string_view line)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyValue{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Cuts at a character count, never inside a UTF-8 sequence.
std::string_view CutToCharacters(std::string_view utf8, size_t maxCharacters)
{
    size_t characters = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == maxCharacters) {
            return utf8.substr(0, i);
        }
    }
    return utf8;
}

// A value cannot span lines in this format: a line break inside it would turn its tail into a line of
// its own, so breaks are written as blanks.
std::string OneLine(std::string_view value)
{
    std::string out(value);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view bytes)
{
    IniDocument doc;
    DecodedText decoded = DecodeTextLenient(bytes);
    doc.m_encoding = decoded.encoding;
    std::string_view text = decoded.utf8;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        doc.m_lines.emplace_back(line);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return doc;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const std::string& line : m_lines) {
        if (const auto name = SectionName(line)) {
            if (inSection) {
                // A later section of the same name is not searched: the first one wins.
                return std::nullopt;
            }
            inSection = EqualsIgnoringAsciiCase(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (const auto kv = SplitKeyValue(line); kv && EqualsIgnoringAsciiCase(kv->key, key)) {
            return std::string(CutToCharacters(Unquote(kv->value), MaxIniValueLength));
        }
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string newLine = std::string(key) + "=" + OneLine(value);
    std::optional<size_t> sectionLine;
    size_t lastContentLine = 0;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = SectionName(m_lines[i])) {
            if (sectionLine) {
                break;
            }
            if (EqualsIgnoringAsciiCase(*name, section)) {
                sectionLine = i;
                lastContentLine = i;
            }
            continue;
        }
        if (!sectionLine) {
            continue;
        }
        if (const auto kv = SplitKeyValue(m_lines[i]); kv && EqualsIgnoringAsciiCase(kv->key, key)) {
            m_lines[i] = std::string(kv->key) + "=" + OneLine(value);
            return;
        }
        if (!Trim(m_lines[i]).empty()) {
            lastContentLine = i;
        }
    }
    if (sectionLine) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastContentLine + 1), newLine);
        return;
    }
    if (!m_lines.empty() && !Trim(m_lines.back()).empty()) {
        m_lines.emplace_back();
    }
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(newLine);
}

bool IniDocument::Remove(std::string_view section, std::string_view key)
{
    bool inSection = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = SectionName(m_lines[i])) {
            if (inSection) {
                return false;
            }
            inSection = EqualsIgnoringAsciiCase(*name, section);
            continue;
        }
        if (const auto kv = SplitKeyValue(m_lines[i]); inSection && kv && EqualsIgnoringAsciiCase(kv->key, key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    }
    return false;
}

std::string IniDocument::Serialize() const
{
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return EncodeText(text, m_encoding);
}

} // namespace kelvane
