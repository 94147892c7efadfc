#pragma once

#include "common/Status.h"
#include "common/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// How a line of a list file that is not UTF-8 is read (in a file without a byte-order mark, or with the
// UTF-8 one). Each line is taken by itself, so that one such line does not change how the others read.
enum class NonUtf8Lines
{
    CodePage,           // in the 8-bit code page (Windows-1252), as Windows wrote it
    KeepLocalPathBytes, // as the bytes they are: on Linux a path is bytes, and these name the file; a path
                        // with a drive letter is a Windows one, still read in the code page
};

// The rule of the system the program runs on: the code page on Windows, the path's bytes elsewhere.
NonUtf8Lines DefaultNonUtf8Lines();

// The lines of a list file: one entry a line; CR LF, LF or CR end a line; a byte-order mark decides the
// encoding; without one, a line that is valid UTF-8 is UTF-8, any other line is read by the rule.
struct ListFileText
{
    std::vector<std::string> Lines;
    // How the file was stored: a folder file read with a byte-order mark is written back alike.
    TextEncoding Encoding = TextEncoding::Utf8;
    bool HadByteOrderMark = false;
};

ListFileText ParseListFile(std::string_view bytes, NonUtf8Lines rule = DefaultNonUtf8Lines());

// Reads the file; a missing or unreadable file is an error the caller may swallow.
Result<ListFileText> ReadListFile(const std::string& file);

// The paths a list file's lines yield (see ListLinePath), in order: what ReadListFile's lines give. A
// list of many thousand files is read at each start, so each path is a place in the file's text rather
// than a string of its own; the caller copies each once, into where it is kept.
class ListFilePaths
{
public:
    // From the file's bytes, in any form ParseListFile reads.
    explicit ListFilePaths(std::string bytes, NonUtf8Lines rule = DefaultNonUtf8Lines());

    size_t Count() const { return m_places.size(); }
    std::string_view Path(size_t index) const { return {m_text.data() + m_places[index].Start, m_places[index].Size}; }

private:
    struct Place
    {
        size_t Start;
        size_t Size;
    };
    std::string m_text; // UTF-8, but for the lines the rule keeps as bytes
    std::vector<Place> m_places;
};

Result<ListFilePaths> ReadListFilePaths(const std::string& file);

// The bytes of a list file: every line followed by CR LF. A line the encoding cannot hold would be
// lost, so then the whole file is written as UTF-8 with a byte-order mark, which every reader honours.
// Lines kept as bytes are written as those bytes again.
std::string SerializeListFile(const std::vector<std::string>& lines, TextEncoding encoding);

// The path field of a line of a screensaver list file: the text before the first TAB, without the
// double quotes around it; nothing for an empty line.
std::optional<std::string_view> ListLinePath(std::string_view line);

// Whether a screensaver list file can keep the path, so that it reads back as the same one row: not
// when it is empty, holds a line break or a TAB, or is itself enclosed in double quotes.
bool ListFileCanKeep(std::string_view path);

// The platform's default 8-bit encoding for list files written afresh: UTF-8 where the system's
// locale is UTF-8 (Linux), Windows-1252 on western Windows systems.
TextEncoding DefaultListFileEncoding();

} // namespace kelvane
