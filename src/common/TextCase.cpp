#include "common/TextCase.h"

#include "common/TextEncoding.h"

#include <algorithm>

namespace kelvane {
namespace {

char32_t UpperOf(char32_t c)
{
    if (c >= 'a' && c <= 'z') {
        return c - 0x20;
    }
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
        return c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c == 0x3C2) {
        return 0x3A3; // final sigma
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    // Latin Extended-A pairs: upper case on even code points in most of the block, on odd ones in two runs.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return (c % 2 == 1) ? c - 1 : c;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c % 2 == 0) ? c - 1 : c;
    }
    return c;
}

} // namespace

std::string ToUpperText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(UpperOf(lead)));
            ++i;
            continue;
        }
        // Only two-byte sequences hold letters this handles; everything else is copied as it is.
        if ((lead & 0xE0) == 0xC0 && i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            const char32_t cp = (char32_t{lead & 0x1Fu} << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            if (cp >= 0x80) {
                AppendUtf8(out, UpperOf(cp));
                i += 2;
                continue;
            }
        }
        out.push_back(utf8[i]);
        ++i;
    }
    return out;
}

std::string AsciiLowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower<char>);
    return lower;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

} // namespace kelvane
