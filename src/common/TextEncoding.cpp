#include "common/TextEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace kelvane {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined (Windows maps
// them to the same C1 control code points, and so do we).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Reads one code point at pos; nullopt for an invalid, overlong or surrogate sequence.
std::optional<char32_t> NextUtf8(std::string_view s, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    size_t extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1Fu, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0Fu, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07u, min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (pos + extra >= s.size()) {
        return std::nullopt;
    }
    for (size_t i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (c & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += extra + 1;
    return cp;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    auto unitAt = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
    };
    const size_t units = bytes.size() / 2; // a dangling odd byte is dropped
    for (size_t u = 0; u < units; ++u) {
        char32_t cp = unitAt(u * 2);
        if (cp >= 0xD800 && cp <= 0xDBFF && u + 1 < units) {
            const char32_t low = unitAt((u + 1) * 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++u;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone surrogate cannot be UTF-8
        }
        AppendUtf8(out, cp);
    }
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool HasByteOrderMark(std::string_view bytes)
{
    return StartsWith(bytes, kUtf8Bom) || StartsWith(bytes, kUtf16LeBom) || StartsWith(bytes, kUtf16BeBom);
}

std::optional<DecodedText> DecodeMarked(std::string_view bytes)
{
    if (StartsWith(bytes, kUtf8Bom)) {
        return DecodedText{std::string(bytes.substr(kUtf8Bom.size())), TextEncoding::Utf8Bom};
    }
    if (StartsWith(bytes, kUtf16LeBom)) {
        return DecodedText{DecodeUtf16(bytes.substr(2), false), TextEncoding::Utf16LeBom};
    }
    if (StartsWith(bytes, kUtf16BeBom)) {
        return DecodedText{DecodeUtf16(bytes.substr(2), true), TextEncoding::Utf16BeBom};
    }
    return std::nullopt;
}

size_t FirstInvalidUtf8(std::string_view bytes)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        // Runs of plain ASCII, which list files are made of, are passed over eight bytes at a time.
        constexpr uint64_t kHighBits = 0x8080808080808080ULL;
        uint64_t eight = 0;
        if (bytes.size() - pos >= sizeof eight) {
            std::memcpy(&eight, bytes.data() + pos, sizeof eight);
            if ((eight & kHighBits) == 0) {
                pos += sizeof eight;
                continue;
            }
        }
        if (!NextUtf8(bytes, pos)) {
            return pos;
        }
    }
    return std::string_view::npos;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    auto put = [&out](unsigned value) { out.push_back(static_cast<char>(static_cast<unsigned char>(value))); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

std::string DecodeWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t cp = b;
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80u] != 0) {
            cp = kCp1252High[b - 0x80u];
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

bool IsValidUtf8(std::string_view bytes)
{
    return FirstInvalidUtf8(bytes) == std::string_view::npos;
}

Result<DecodedText> DecodeTextStrict(std::string_view bytes)
{
    if (auto marked = DecodeMarked(bytes)) {
        if (marked->encoding == TextEncoding::Utf8Bom && !IsValidUtf8(marked->utf8)) {
            return Result<DecodedText>::Error("invalid UTF-8 at byte " +
                                              std::to_string(FirstInvalidUtf8(marked->utf8) + kUtf8Bom.size()));
        }
        return *std::move(marked);
    }
    const size_t bad = FirstInvalidUtf8(bytes);
    if (bad != std::string_view::npos) {
        return Result<DecodedText>::Error("invalid UTF-8 at byte " + std::to_string(bad));
    }
    return DecodedText{std::string(bytes), TextEncoding::Utf8};
}

DecodedText DecodeTextLenient(std::string_view bytes)
{
    if (auto marked = DecodeMarked(bytes)) {
        if (marked->encoding == TextEncoding::Utf8Bom && !IsValidUtf8(marked->utf8)) {
            marked->utf8 = DecodeWindows1252(marked->utf8);
        }
        return *std::move(marked);
    }
    if (IsValidUtf8(bytes)) {
        return {std::string(bytes), TextEncoding::Utf8};
    }
    return {DecodeWindows1252(bytes), TextEncoding::Windows1252};
}

DecodedText DecodeTextLenient(std::string&& bytes)
{
    if (!HasByteOrderMark(bytes) && IsValidUtf8(bytes)) {
        return {std::move(bytes), TextEncoding::Utf8};
    }
    return DecodeTextLenient(std::string_view(bytes));
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        return std::string(utf8);
    }
    if (encoding == TextEncoding::Utf8Bom) {
        return std::string(kUtf8Bom) + std::string(utf8);
    }
    std::string out;
    const bool utf16 = encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom;
    const bool bigEndian = encoding == TextEncoding::Utf16BeBom;
    if (utf16) {
        out = bigEndian ? std::string(kUtf16BeBom) : std::string(kUtf16LeBom);
    }
    auto putUnit = [&](char32_t unit) {
        const auto hi = static_cast<char>(static_cast<unsigned char>(unit >> 8));
        const auto lo = static_cast<char>(static_cast<unsigned char>(unit & 0xFF));
        if (bigEndian) {
            out.push_back(hi), out.push_back(lo);
        } else {
            out.push_back(lo), out.push_back(hi);
        }
    };
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0xFFFD;
        if (auto next = NextUtf8(utf8, pos)) {
            cp = *next;
        } else {
            ++pos;
        }
        if (utf16) {
            if (cp >= 0x10000) {
                putUnit(0xD800 + ((cp - 0x10000) >> 10));
                putUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                putUnit(cp);
            }
            continue;
        }
        // Windows-1252
        char byte = '?';
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            byte = static_cast<char>(static_cast<unsigned char>(cp));
        } else {
            for (size_t i = 0; i < kCp1252High.size(); ++i) {
                if (kCp1252High[i] == cp || (kCp1252High[i] == 0 && cp == 0x80 + i)) {
                    byte = static_cast<char>(static_cast<unsigned char>(0x80 + i));
                    break;
                }
            }
        }
        out.push_back(byte);
    }
    return out;
}

} // namespace kelvane
