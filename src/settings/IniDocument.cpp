#include "settings/IniDocument.h"

#include "common/TextCase.h"
#include "settings/IniLine.h"

#include <algorithm>

namespace kelvane {
namespace {

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
        doc.m_lines.emplace_back(TakeIniLine(text));
    }
    return doc;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const std::string& line : m_lines) {
        if (const auto name = IniSectionName(line)) {
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
        if (const auto kv = SplitIniKeyValue(line); kv && EqualsIgnoringAsciiCase(kv->key, key)) {
            return IniValueText(kv->value);
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
        if (const auto name = IniSectionName(m_lines[i])) {
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
        if (const auto kv = SplitIniKeyValue(m_lines[i]); kv && EqualsIgnoringAsciiCase(kv->key, key)) {
            m_lines[i] = std::string(kv->key) + "=" + OneLine(value);
            return;
        }
        if (!TrimIniBlanks(m_lines[i]).empty()) {
            lastContentLine = i;
        }
    }
    if (sectionLine) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastContentLine + 1), newLine);
        return;
    }
    if (!m_lines.empty() && !TrimIniBlanks(m_lines.back()).empty()) {
        m_lines.emplace_back();
    }
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(newLine);
}

bool IniDocument::Remove(std::string_view section, std::string_view key)
{
    bool inSection = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = IniSectionName(m_lines[i])) {
            if (inSection) {
                return false;
            }
            inSection = EqualsIgnoringAsciiCase(*name, section);
            continue;
        }
        if (const auto kv = SplitIniKeyValue(m_lines[i]); inSection && kv && EqualsIgnoringAsciiCase(kv->key, key)) {
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
