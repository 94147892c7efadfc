#pragma once

#include "common/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// An INI text read and edited with the rules of the Windows profile-file functions, so that a file
// written by either build reads the same in the other:
// - section and key names match without regard to ASCII letter case; the first match wins;
// - blanks around names and values are dropped, and one pair of matching quotes around a value too;
// - a write replaces the one line of its key, or adds the key at the end of its section, or adds the
//   section at the end of the file; every other line, unknown keys included, stays as it was;
// - the file keeps its encoding (a byte-order mark, or Windows-1252 when it is not UTF-8); lines end in
//   CR LF.
class IniDocument
{
public:
    static IniDocument Parse(std::string_view bytes);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key's line; false when the key was not there.
    bool Remove(std::string_view section, std::string_view key);

    std::string Serialize() const;

private:
    std::vector<std::string> m_lines;
    TextEncoding m_encoding = TextEncoding::Utf8;
};

// The most characters a read returns, as the profile functions' buffer allows.
inline constexpr size_t MaxIniValueLength = 2047;

} // namespace kelvane
