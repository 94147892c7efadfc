#pragma once

#include "common/Status.h"
#include "settings/IniDocument.h"
#include "settings/IniValues.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

// The helpers through which the settings are read and written. Each opens the file, does its one
// operation and closes it again; nothing is cached, so a read sees the file as it is now and a write
// has reached the file when the helper returns. A missing file or key reads as the default; a write
// creates the file. A refused write comes back as "Unable to write to <file>". Many reads at one moment
// (a start) read the file once instead, through ReadIniValues below.

bool ReadIniBool(const std::string& file, std::string_view section, std::string_view key, bool defaultValue);
Status WriteIniBool(const std::string& file, std::string_view section, std::string_view key, bool value);

int32_t ReadIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t defaultValue);
Status WriteIniInteger(const std::string& file, std::string_view section, std::string_view key, int32_t value);

std::string ReadIniString(const std::string& file, std::string_view section, std::string_view key,
                          std::string_view defaultValue);
Status WriteIniString(const std::string& file, std::string_view section, std::string_view key, std::string_view value);

// The file read and gone through once, for many reads at one moment (a start): the reads below that take
// these values find each key in them at once. A missing or unreadable file holds no value.
IniValues ReadIniValues(const std::string& file);

bool ReadIniBool(const IniValues& values, std::string_view section, std::string_view key, bool defaultValue);
int32_t ReadIniInteger(const IniValues& values, std::string_view section, std::string_view key, int32_t defaultValue);
std::string ReadIniString(const IniValues& values, std::string_view section, std::string_view key,
                          std::string_view defaultValue);

// Several writes to one file that reach it together: the file is read once when the edit starts and
// written once by Commit, by the same rules as the writes above (unknown keys kept, the first match of
// a key replaced). Used where many keys are saved at one moment.
class IniFileEdit
{
public:
    explicit IniFileEdit(std::string file);

    void SetBool(std::string_view section, std::string_view key, bool value);
    void SetInteger(std::string_view section, std::string_view key, int32_t value);
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    // Writes the file; refused, as a single write would be, when it exists but could not be read.
    Status Commit();

private:
    std::string m_file;
    IniDocument m_document;
    bool m_unreadable = false;
};

// Removes the key; a missing file or key is left as it is.
Status DeleteIniKey(const std::string& file, std::string_view section, std::string_view key);

// The integer forms of the file: decimal with an optional sign, or hexadecimal after "0x" in either
// letter case when the text is longer than two characters. Nothing else, and nothing outside 32 bits.
std::optional<int32_t> ParseIniInteger(std::string_view text);

} // namespace kelvane
