#pragma once

// Hand-made pieces of events files, written out byte by byte, so that tests do not check the file
// format against the code that writes it.

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace kelvane::test {

using namespace std::string_literals;

// Pieces of hand-made files.
inline std::string Count(int32_t n)
{
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((static_cast<uint32_t>(n) >> (8 * i)) & 0xFF));
    }
    return out;
}

inline std::string Str(const std::string& text)
{
    if (text.size() >= 128) {
        throw std::invalid_argument("one length byte only in these fixtures");
    }
    return std::string(1, static_cast<char>(text.size())) + text;
}

inline std::string Time(double utcDayCount)
{
    const auto bits = std::bit_cast<uint64_t>(utcDayCount);
    std::string out;
    for (int i = 0; i < 8; ++i) {
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
    return out;
}

// One whole row record: enabled, caption, name, time, and the eight other texts.
inline std::string Row(const std::string& name, double utc, const std::string& type = "One-Time Events",
                       const std::string& action = "Run", const std::string& screensaver = "C:\\s\\ribbons.scr")
{
    return "\x01"s + Str("") + Str(name) + Time(utc) + Str("True") + Str(action) + Str(screensaver) + Str(type) +
           Str("12/30/1899 12:00:00 AM") + Str("15") + Str("False") + Str("0");
}

} // namespace kelvane::test
