#include "library/ListFiles.h"

#include "common/FileIO.h"

#include <optional>

namespace kelvane {

ListFileText ParseListFile(std::string_view bytes)
{
    ListFileText result;
    const DecodedText decoded = DecodeTextLenient(bytes);
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

ListFilePaths::ListFilePaths(std::string bytes) : m_text(std::move(bytes))
{
    // Plain UTF-8, the usual form, is kept as it was read; any other is decoded first.
    if (m_text.starts_with("\xEF\xBB\xBF") || !IsValidUtf8(m_text)) {
        m_text = DecodeTextLenient(m_text).utf8;
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
        // Anything the code page cannot hold came out as '?', so the file would no longer name the path.
        if (DecodeTextLenient(encoded).utf8 != text) {
            return EncodeText(text, TextEncoding::Utf8Bom);
        }
        return encoded;
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

TextEncoding DefaultListFileEncoding()
{
#ifdef _WIN32
    return TextEncoding::Windows1252;
#else
    return TextEncoding::Utf8;
#endif
}

} // namespace kelvane
