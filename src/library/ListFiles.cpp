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

Result<std::vector<std::string>> ReadListFilePaths(const std::string& file)
{
    const auto bytes = ReadFileBytes(file);
    if (!bytes) {
        return Result<std::vector<std::string>>::Error(bytes.message());
    }
    // Plain UTF-8, the usual form, is read where it lies; any other is decoded first.
    const std::string& raw = bytes.value();
    std::string decoded;
    std::string_view text = raw;
    if (raw.starts_with("\xEF\xBB\xBF") || !IsValidUtf8(raw)) {
        decoded = DecodeTextLenient(raw).utf8;
        text = decoded;
    }
    // The lines as SplitLines cuts them.
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        size_t next = 0;
        if (end == std::string_view::npos) {
            end = next = text.size();
        } else {
            next = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        }
        if (auto path = ListLinePath(text.substr(start, end - start))) {
            paths.push_back(std::move(*path));
        }
        start = next;
    }
    return paths;
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

std::optional<std::string> ListLinePath(std::string_view line)
{
    if (line.empty()) {
        return std::nullopt;
    }
    std::string_view field = line.substr(0, line.find('\t'));
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
    }
    return std::string(field);
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
