#include "settings/IniLine.h"

#include "settings/IniDocument.h"

namespace kelvane {
namespace {

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

} // namespace

std::string_view TakeIniLine(std::string_view& text)
{
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

std::string_view TrimIniBlanks(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::optional<std::string_view> IniSectionName(std::string_view line)
{
    const std::string_view trimmed = TrimIniBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const size_t close = trimmed.find(']');
    return TrimIniBlanks(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

std::optional<IniKeyValue> SplitIniKeyValue(std::string_view line)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return IniKeyValue{TrimIniBlanks(line.substr(0, eq)), TrimIniBlanks(line.substr(eq + 1))};
}

std::string IniValueText(std::string_view written)
{
    return std::string(CutToCharacters(Unquote(written), MaxIniValueLength));
}

} // namespace kelvane
