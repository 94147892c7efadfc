#include "settings/fileFunc.h"

#include "common/FileIO.h"
#include "settings/IniDocument.h"

#include <charconv>
#include <utility>

namespace kelvane {
namespace {

Status WriteValue(const std::string& file, std::string_view section, std::string_view key, std::string_view value)
{
    IniFileEdit edit(file);
    edit.SetString(section, key, value);
    return edit.Commit();
}

} // namespace

IniFileEdit::IniFileEdit(std::string file) : m_file(std::move(file))
{
    // A missing file starts empty; one that exists but cannot be read must not be replaced by a file
    // holding only these keys, so that counts as a refused write.
    if (FileExists(m_file)) {
        if (const auto bytes = ReadFileBytes(m_file)) {
            m_document = IniDocument::Parse(bytes.value());
        } else {
            m_unreadable = true;
        }
    }
}

void IniFileEdit::SetBool(std::string_view section, std::string_view key, bool value)
{
    m_document.Set(section, key, value ? "1" : "0");
}

void IniFileEdit::SetInteger(std::string_view section, std::string_view key, int32_t value)
{
    m_document.Set(section, key, std::to_string(value));
}

void IniFileEdit::SetString(std::string_view section, std::string_view key, std::string_view value)
{
    m_document.Set(section, key, value);
}

Status IniFileEdit::Commit()
{
    if (m_unreadable || !WriteFileAtomically(m_file, m_document.Serialize())) {
        return Status::Error("Unable to write to " + m_file);
    }
    return Status::Ok();
}

Status DeleteIniKey(const std::string& file, std::string_view section, std::string_view key)
{
    if (!FileExists(file)) {
        return Status::Ok();
    }
    const auto bytes = ReadFileBytes(file);
    if (!bytes) {
        return Status::Error("Unable to write to " + file);
    }
    IniDocument doc = IniDocument::Parse(bytes.value());
    if (!doc.Remove(section, key)) {
        return Status::Ok();
    }
    if (!WriteFileAtomically(file, doc.Serialize())) {
        return Status::Error("Unable to write to " + file);
    }
    return Status::Ok();
}

std::optional<int32_t> ParseIniInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string_view digits = text.substr(2);
        uint32_t value = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (ec != std::errc() || end != digits.data() + digits.size()) {
            return std::nullopt;
        }
        // Eight hex digits fill all 32 bits, so 0xFFFFFFFF is -1 as on the platform that wrote it.
        return static_cast<int32_t>(value);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

bool ReadIniBool(const std::string& file, std::string_view section, std::string_view key, bool defaultValue)
{
    return ReadIniBool(ReadIniValues(file), section, key, defaultValue);
}

Status WriteIniBool(const std::string& file, std::string_view section, std::string_view key, bool value)
{
    return WriteValue(file, section, key, value ? "1" : "0");
}

int32_t ReadIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t defaultValue)
{
    return ReadIniInteger(ReadIniValues(file), section, key, defaultValue);
}

Status WriteIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t value)
{
    return WriteValue(file, section, key, std::to_string(value));
}

std::string ReadIniString(const std::string& file, std::string_view section, std::string_view key,
                          std::string_view defaultValue)
{
    return ReadIniString(ReadIniValues(file), section, key, defaultValue);
}

Status WriteIniString(const std::string& file, std::string_view section, std::string_view key, std::string_view value)
{
    return WriteValue(file, section, key, value);
}

IniValues ReadIniValues(const std::string& file)
{
    auto bytes = ReadFileBytes(file);
    return bytes ? IniValues::Parse(std::move(bytes).value()) : IniValues();
}

bool ReadIniBool(const IniValues& values, std::string_view section, std::string_view key, bool defaultValue)
{
    return ReadIniInteger(values, section, key, defaultValue ? 1 : 0) != 0;
}

int32_t ReadIniInteger(const IniValues& values, std::string_view section, std::string_view key, int32_t defaultValue)
{
    const auto text = values.Get(section, key);
    if (!text) {
        return defaultValue;
    }
    return ParseIniInteger(*text).value_or(defaultValue);
}

std::string ReadIniString(const IniValues& values, std::string_view section, std::string_view key,
                          std::string_view defaultValue)
{
    return values.Get(section, key).value_or(std::string(defaultValue));
}

} // namespace kelvane
