#include "platform/linux/LinuxRegionalSettings.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace kelvane::platform {
namespace {

std::string Expand(std::string_view pattern)
{
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        const char field = pattern[++i];
        switch (field) {
        case 'D':
            out += "%m/%d/%y";
            break;
        case 'F':
            out += "%Y-%m-%d";
            break;
        case 'T':
            out += "%H:%M:%S";
            break;
        case 'R':
            out += "%H:%M";
            break;
        case 'r':
            out += "%I:%M:%S %p";
            break;
        default:
            out += '%';
            out += field;
        }
    }
    return out;
}

// Flags and widths that may sit between '%' and the field letter (glibc's extensions).
bool IsModifier(char c)
{
    return c == 'E' || c == 'O' || c == '_' || c == '-' || c == '0' || c == '^' || c == '#' || (c >= '1' && c <= '9');
}

} // namespace

std::string SeparatorFromPattern(std::string_view pattern, std::string_view fallback)
{
    const std::string expanded = Expand(pattern);
    std::string separator;
    int fieldsSeen = 0;
    for (size_t i = 0; i < expanded.size(); ++i) {
        if (expanded[i] == '%' && i + 1 < expanded.size()) {
            while (i + 1 < expanded.size() && IsModifier(expanded[i + 1])) {
                ++i;
            }
            ++i;
            if (++fieldsSeen == 2) {
                break;
            }
            continue;
        }
        if (fieldsSeen == 1) {
            separator += expanded[i];
        }
    }
    if (fieldsSeen < 2 || separator.empty()) {
        return std::string(fallback);
    }
    return separator;
}

std::string PictureFromPattern(std::string_view pattern)
{
    const std::string expanded = Expand(pattern);
    std::string picture;
    std::string literal;
    auto flushLiteral = [&] {
        // Letters would read as fields in the picture form, so such text goes in quotes.
        const bool hasLetters = literal.find_first_of("dMyhHmstg") != std::string::npos;
        picture += hasLetters ? "'" + literal + "'" : literal;
        literal.clear();
    };
    for (size_t i = 0; i < expanded.size(); ++i) {
        if (expanded[i] != '%' || i + 1 == expanded.size()) {
            literal += expanded[i];
            continue;
        }
        bool noPadding = false;
        while (i + 1 < expanded.size() && IsModifier(expanded[i + 1])) {
            noPadding = noPadding || expanded[i + 1] == '-';
            ++i;
        }
        const char field = expanded[++i];
        if (field == '%') {
            literal += '%';
            continue;
        }
        flushLiteral();
        switch (field) {
        case 'd':
            picture += noPadding ? "d" : "dd";
            break;
        case 'e':
            picture += "d";
            break;
        case 'm':
            picture += noPadding ? "M" : "MM";
            break;
        case 'y':
            picture += "yy";
            break;
        case 'Y':
            picture += "yyyy";
            break;
        case 'H':
            picture += noPadding ? "H" : "HH";
            break;
        case 'k':
            picture += "H";
            break;
        case 'I':
            picture += noPadding ? "h" : "hh";
            break;
        case 'l':
            picture += "h";
            break;
        case 'M':
            picture += "mm";
            break;
        case 'S':
            picture += "ss";
            break;
        case 'p':
        case 'P':
            picture += "tt";
            break;
        default:
            break; // names of days and months, week numbers: the picture form has no place for them
        }
    }
    flushLiteral();
    return picture;
}

RegionalFormats LinuxRegionalSettings::Read() const
{
    RegionalFormats formats;
    // A locale object of its own: the process's global locale is left alone.
    locale_t user = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) {
        return formats;
    }
    formats.DateSeparator = SeparatorFromPattern(nl_langinfo_l(D_FMT, user), "/");
    formats.TimeSeparator = SeparatorFromPattern(nl_langinfo_l(T_FMT, user), ":");
    const std::string shortDate = PictureFromPattern(nl_langinfo_l(D_FMT, user));
    const std::string longTime = PictureFromPattern(nl_langinfo_l(T_FMT, user));
    if (!shortDate.empty()) {
        formats.ShortDatePattern = shortDate;
    }
    if (!longTime.empty()) {
        formats.LongTimePattern = longTime;
    }
    const std::string radix = nl_langinfo_l(RADIXCHAR, user);
    if (!radix.empty()) {
        formats.DecimalSeparator = radix;
    }
    freelocale(user);
    return formats;
}

} // namespace kelvane::platform
