#include "common/EventDateTimeText.h"

#include <optional>

namespace kelvane {
namespace {

void AppendDigits(std::string& out, int32_t value, int width)
{
    char digits[12];
    int count = 0;
    auto rest = static_cast<uint32_t>(value < 0 ? -value : value);
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    for (int i = count; i < width; ++i) {
        out.push_back('0');
    }
    while (count > 0) {
        out.push_back(digits[--count]);
    }
}

// Reads left to right; each step fails the whole parse by returning nothing.
class Reader
{
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    void SkipBlanks()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) {
            ++m_pos;
        }
    }
    bool AtEnd() const { return m_pos == m_text.size(); }

    std::optional<int32_t> Number(size_t maxDigits, size_t minDigits = 1)
    {
        size_t digits = 0;
        int32_t value = 0;
        while (m_pos < m_text.size() && digits < maxDigits && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            value = value * 10 + (m_text[m_pos] - '0');
            ++m_pos, ++digits;
        }
        if (digits < minDigits || (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9')) {
            return std::nullopt;
        }
        return value;
    }

    bool Literal(std::string_view literal)
    {
        if (literal.empty() || m_text.substr(m_pos, literal.size()) != literal) {
            return false;
        }
        m_pos += literal.size();
        return true;
    }

    bool LiteralIgnoringAsciiCase(std::string_view literal)
    {
        if (m_text.size() - m_pos < literal.size()) {
            return false;
        }
        for (size_t i = 0; i < literal.size(); ++i) {
            char c = m_text[m_pos + i];
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
            if (c != literal[i]) {
                return false;
            }
        }
        m_pos += literal.size();
        return true;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

std::optional<DateTime> Parse(std::string_view text, const RegionalFormats& formats)
{
    Reader in(text);
    in.SkipBlanks();
    const auto month = in.Number(2);
    if (!month || !in.Literal(formats.DateSeparator)) {
        return std::nullopt;
    }
    const auto day = in.Number(2);
    if (!day || !in.Literal(formats.DateSeparator)) {
        return std::nullopt;
    }
    // The year is always written in full: "23" could mean any century.
    const auto year = in.Number(4, 4);
    if (!year || !IsValidDate(*year, *month, *day)) {
        return std::nullopt;
    }
    CivilDateTime value{{*year, *month, *day}, {}};
    in.SkipBlanks();
    if (in.AtEnd()) {
        return EncodeDateTime(value);
    }

    const auto hour = in.Number(2);
    if (!hour || !in.Literal(formats.TimeSeparator)) {
        return std::nullopt;
    }
    const auto minute = in.Number(2);
    if (!minute) {
        return std::nullopt;
    }
    std::optional<int32_t> second = 0;
    if (in.Literal(formats.TimeSeparator)) {
        second = in.Number(2);
        if (!second) {
            return std::nullopt;
        }
    }
    in.SkipBlanks();
    int32_t hour24 = *hour;
    if (in.LiteralIgnoringAsciiCase("AM")) {
        if (*hour < 1 || *hour > 12) {
            return std::nullopt;
        }
        hour24 = *hour % 12;
    } else if (in.LiteralIgnoringAsciiCase("PM")) {
        if (*hour < 1 || *hour > 12) {
            return std::nullopt;
        }
        hour24 = *hour % 12 + 12;
    }
    in.SkipBlanks();
    if (!in.AtEnd() || !IsValidTime(hour24, *minute, *second, 0)) {
        return std::nullopt;
    }
    value.Time = {hour24, *minute, *second, 0};
    return EncodeDateTime(value);
}

} // namespace

std::string FormatEventDateTime(DateTime value, const RegionalFormats& formats)
{
    std::string out;
    out.reserve(32);
    AppendEventDateTime(out, value, formats);
    return out;
}

void AppendEventDateTime(std::string& out, DateTime value, const RegionalFormats& formats)
{
    const CivilDateTime parts = DecodeDateTime(value);
    AppendDigits(out, parts.Date.Month, 2);
    out += formats.DateSeparator;
    AppendDigits(out, parts.Date.Day, 2);
    out += formats.DateSeparator;
    AppendDigits(out, parts.Date.Year, 4);
    out += ' ';
    const int32_t hour12 = parts.Time.Hour % 12 == 0 ? 12 : parts.Time.Hour % 12;
    AppendDigits(out, hour12, 2);
    out += formats.TimeSeparator;
    AppendDigits(out, parts.Time.Minute, 2);
    out += formats.TimeSeparator;
    AppendDigits(out, parts.Time.Second, 2);
    out += parts.Time.Hour < 12 ? " AM" : " PM";
}

Result<DateTime> ParseEventDateTime(std::string_view text, const RegionalFormats& formats)
{
    if (const auto value = Parse(text, formats)) {
        return *value;
    }
    return Result<DateTime>::Error("'" + std::string(text) + "' is not a valid date and time");
}

std::string ZeroDateTimeText(const RegionalFormats& formats)
{
    return FormatEventDateTime(0.0, formats);
}

} // namespace kelvane
