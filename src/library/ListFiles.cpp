#include "library/ListFiles.h"

#include "common/FileIO.h"
#include "common/FileNames.h"

#include <algorithm>
#include <optional>

namespace kelvane {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// "C:\...", also as a quoted field: a Windows path, whatever system reads the file.
bool LineHasDriveLetter(std::string_view line)
{
    if (!line.empty() && line.front() == '"') {
        line.remove_prefix(1);
    }
    return HasDriveLetter(line);
}

void AppendLine(std::string& out, std::string_view line, NonUtf8Lines rule)
{
    if (IsValidUtf8(line) || (rule == NonUtf8Lines::KeepLocalPathBytes && !LineHasDriveLetter(line))) {
        out += line;
    } else {
        out += DecodeWindows1252(line);
    }
}

// The file's text: the marked encodings as marked, and otherwise UTF-8 line by line (see NonUtf8Lines).
// A file that is all UTF-8, the usual form, comes back without a pass over its lines.
DecodedText DecodeListFile(std::string_view bytes, NonUtf8Lines rule)
{
    TextEncoding encoding = TextEncoding::Utf8;
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        encoding = TextEncoding::Utf8Bom;
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return DecodeTextLenient(bytes); // UTF-16: every unit has a meaning
    }
    if (IsValidUtf8(bytes)) {
        return {std::string(bytes), encoding};
    }
    if (encoding == TextEncoding::Utf8) {
        encoding = TextEncoding::Windows1252; // not all of it is UTF-8: some lines come from the code page
    }
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    size_t start = 0;
    while (start < bytes.size()) {
        // A line end is ASCII, never part of a longer UTF-8 sequence: each line can be judged alone.
        const size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        AppendLine(text, bytes.substr(start, end - start), rule);
        const size_t next = std::min(bytes.find_first_not_of("\r\n", end), bytes.size());
        text += bytes.substr(end, next - end);
        start = next;
    }
    return {std::move(text), encoding};
}

} // namespace

NonUtf8Lines DefaultNonUtf8Lines()
{
#ifdef _WIN32
    return NonUtf8Lines::CodePage;
#else
    return NonUtf8Lines::KeepLocalPathBytes;
#endif
}

ListFileText ParseListFile(std::string_view bytes, NonUtf8Lines rule)
{
    ListFileText result;
    DecodedText decoded = DecodeListFile(bytes, rule);
    result.Encoding = decoded.encoding;
    result.HadByteOrderMark = decoded.encoding == TextEncoding::Utf8Bom ||
                              decoded.encoding == TextEncoding::Utf16LeBom ||
                              decoded.encoding == TextEncoding::Utf16BeBom;
    result.Lines = SplitLines(decoded.utf8);
    return result;
}

Result<ListFileText> ReadListFile(const std::string& file)
{
    const auto bytes = ReadFileBytes(file);
    if (!bytes) {
        return Result<ListFileText>::Error(bytes.message());
    }
    return ParseListFile(bytes.value());
}

ListFilePaths::ListFilePaths(std::string bytes, NonUtf8Lines rule) : m_text(std::move(bytes))
{
    // Plain UTF-8, the usual form, is kept as it was read; any other is decoded first.
    if (m_text.starts_with(kUtf8Mark) || !IsValidUtf8(m_text)) {
        m_text = DecodeListFile(m_text, rule).utf8;
    }
    // The lines as SplitLines cuts them.
    const std::string_view all = m_text;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find_first_of("\r\n", start);
        size_t next = 0;
        if (end == std::string_view::npos) {
            end = next = all.size();
        } else {
            next = end + ((all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1);
        }
        if (const auto path = ListLinePath(all.substr(start, end - start))) {
            m_places.push_back({static_cast<size_t>(path->data() - all.data()), path->size()});
        }
        start = next;
    }
}

Result<ListFilePaths> ReadListFilePaths(const std::string& file)
{
    auto bytes = ReadFileBytes(file);
    if (!bytes) {
        return Result<ListFilePaths>::Error(bytes.message());
    }
    return ListFilePaths(std::move(bytes).value());
}

std::string SerializeListFile(const std::vector<std::string>& lines, TextEncoding encoding)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    if (encoding == TextEncoding::Windows1252) {
        const std::string encoded = EncodeText(text, encoding);
        // Anything the code page cannot hold came out as '?', and a line whose code-page bytes happen to
        // be UTF-8 would read as UTF-8: either way the file would no longer name the path.
        if (DecodeListFile(encoded, NonUtf8Lines::CodePage).utf8 != text) {
            return EncodeText(text, TextEncoding::Utf8Bom);
        }
        return encoded;
    }
    if (encoding == TextEncoding::Utf8 &&
        (text.starts_with(kUtf8Mark) || text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))) {
        // A first path that begins like a byte-order mark would be read as one: a mark of its own keeps it.
        return EncodeText(text, TextEncoding::Utf8Bom);
    }
    return EncodeText(text, encoding);
}

std::optional<std::string_view> ListLinePath(std::string_view line)
{
    if (line.empty()) {
        return std::nullopt;
    }
    std::string_view field = line.substr(0, line.find('\t'));
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
    }
    return field;
}

bool ListFileCanKeep(std::string_view path)
{
    const bool quoted = path.size() >= 2 && path.front() == '"' && path.back() == '"';
    return !path.empty() && !quoted && path.find_first_of("\r\n\t") == std::string_view::npos;
}

TextEncoding DefaultListFileEncoding()
{
#ifdef _WIN32
    return TextEncoding::Windows1252;
#else
    return TextEncoding::Utf8;
#endif
}

} // namespace kelvane
