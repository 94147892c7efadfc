#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

// How one line of an INI text reads; shared by the editable document and the read-only values, so that
// both find the same value for a key.

// The next line of the text, without its line break (LF, or CR LF); the text then starts after it.
std::string_view TakeIniLine(std::string_view& text);

// The text without the blanks (spaces, tabs) around it.
std::string_view TrimIniBlanks(std::string_view text);

// The section's name when the line opens a section ("[name]", blanks around it dropped).
std::optional<std::string_view> IniSectionName(std::string_view line);

struct IniKeyValue
{
    std::string_view key;
    std::string_view value; // as written, blanks around it dropped
};

// The key and value of a line of the form "key=value".
std::optional<IniKeyValue> SplitIniKeyValue(std::string_view line);

// A value as a read returns it: one pair of matching quotes around it dropped, and cut at the most
// characters a read returns.
std::string IniValueText(std::string_view written);

} // namespace kelvane
