#include "common/RegionalDateTime.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kelvane {
namespace {

void AppendNumber(std::string& out, int64_t value, int width)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0) {
        out += '-';
    }
    for (int i = static_cast<int>(digits.size()); i < width; ++i) {
        out += '0';
    }
    out += digits;
}

size_t RunLength(const std::string& pattern, size_t pos)
{
    size_t end = pos;
    while (end < pattern.size() && pattern[end] == pattern[pos]) {
        ++end;
    }
    return end - pos;
}

// Drops the zeros at the end of a fraction, and the separator when nothing is left after it.
std::string TrimFraction(std::string digits)
{
    if (digits.find('.') == std::string::npos) {
        return digits;
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    if (!digits.empty() && digits.back() == '.') {
        digits.pop_back();
    }
    return digits;
}

std::string WithSeparator(std::string digits, const std::string& decimalSeparator)
{
    if (const size_t dot = digits.find('.'); dot != std::string::npos) {
        digits.replace(dot, 1, decimalSeparator);
    }
    return digits;
}

} // namespace

std::string FormatPicture(DateTime value, const std::string& pattern, const RegionalFormats& formats)
{
    const CivilDateTime parts = DecodeDateTime(value);
    std::string out;
    for (size_t pos = 0; pos < pattern.size();) {
        const char c = pattern[pos];
        const size_t run = RunLength(pattern, pos);
        switch (c) {
        case 'd':
            AppendNumber(out, parts.Date.Day, run >= 2 ? 2 : 1);
            break;
        case 'M':
            AppendNumber(out, parts.Date.Month, run >= 2 ? 2 : 1);
            break;
        case 'y':
            if (run <= 2) {
                AppendNumber(out, parts.Date.Year % 100, 2);
            } else {
                AppendNumber(out, parts.Date.Year, 4);
            }
            break;
        case 'h': {
            const int32_t hour12 = parts.Time.Hour % 12 == 0 ? 12 : parts.Time.Hour % 12;
            AppendNumber(out, hour12, run >= 2 ? 2 : 1);
            break;
        }
        case 'H':
            AppendNumber(out, parts.Time.Hour, run >= 2 ? 2 : 1);
            break;
        case 'm':
            AppendNumber(out, parts.Time.Minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            AppendNumber(out, parts.Time.Second, run >= 2 ? 2 : 1);
            break;
        case 't':
            out += parts.Time.Hour < 12 ? (run >= 2 ? "AM" : "A") : (run >= 2 ? "PM" : "P");
            break;
        case '/':
            for (size_t i = 0; i < run; ++i) {
                out += formats.DateSeparator;
            }
            break;
        case ':':
            for (size_t i = 0; i < run; ++i) {
                out += formats.TimeSeparator;
            }
            break;
        case '\'': {
            const size_t close = pattern.find('\'', pos + 1);
            const size_t end = close == std::string::npos ? pattern.size() : close;
            out.append(pattern, pos + 1, end - pos - 1);
            pos = close == std::string::npos ? pattern.size() : close + 1;
            continue;
        }
        default:
            out.append(run, c);
        }
        pos += run;
    }
    return out;
}

std::string FormatRegionalDateTime(DateTime value, const RegionalFormats& formats)
{
    return FormatPicture(value, formats.ShortDatePattern, formats) + " " +
           FormatPicture(value, formats.LongTimePattern, formats);
}

std::string FormatGeneralNumber(double value, const std::string& decimalSeparator)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    }
    char buffer[64];
    const double magnitude = std::fabs(value);
    if (value != 0.0 && (magnitude < 0.00001 || magnitude >= 1e15)) {
        // Scientific: a mantissa of 15 significant digits, then "E" and the bare exponent ("E-6", "E15").
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::scientific, 14);
        const std::string text(buffer, ec == std::errc() ? end : buffer);
        const size_t e = text.find('e');
        const std::string mantissa = TrimFraction(text.substr(0, e));
        const int exponent = std::stoi(text.substr(e + 1));
        return WithSeparator(mantissa, decimalSeparator) + "E" + std::to_string(exponent);
    }
    // Fixed: as many decimals as leave 15 significant digits.
    const int integerDigits = value == 0.0 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int decimals = std::max(0, 15 - integerDigits);
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
    std::string text = TrimFraction(std::string(buffer, ec == std::errc() ? end : buffer));
    if (text == "-0") {
        text = "0";
    }
    return WithSeparator(text, decimalSeparator);
}

} // namespace kelvane
