#pragma once

#include "common/Status.h"
#include "common/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// The lines of a list file: one entry a line; CR LF, LF or CR end a line; a byte-order mark decides the
// encoding, otherwise the platform's 8-bit one is assumed.
struct ListFileText
{
    std::vector<std::string> Lines;
    // How the file was stored: a folder file read with a byte-order mark is written back alike.
    TextEncoding Encoding = TextEncoding::Utf8;
    bool HadByteOrderMark = false;
};

ListFileText ParseListFile(std::string_view bytes);

// Reads the file; a missing or unreadable file is an error the caller may swallow.
Result<ListFileText> ReadListFile(const std::string& file);

// The paths the file's lines yield (see ListLinePath), in order: what ReadListFile's lines give, read
// without keeping every line, as a list of many thousand files is read at each start.
Result<std::vector<std::string>> ReadListFilePaths(const std::string& file);

// The bytes of a list file: every line followed by CR LF. A line the encoding cannot hold would be
// lost, so then the whole file is written as UTF-8 with a byte-order mark, which every reader honours.
std::string SerializeListFile(const std::vector<std::string>& lines, TextEncoding encoding);

// The path field of a line of a screensaver list file: the text before the first TAB, without the
// double quotes around it; nothing for an empty line.
std::optional<std::string> ListLinePath(std::string_view line);

// The platform's default 8-bit encoding for list files written afresh: UTF-8 where the system's
// locale is UTF-8 (Linux), Windows-1252 on western Windows systems.
TextEncoding DefaultListFileEncoding();

} // namespace kelvane
