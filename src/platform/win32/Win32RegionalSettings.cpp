#include "platform/win32/Win32RegionalSettings.h"

#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace kelvane::platform {
namespace {

std::string LocaleText(LCTYPE item)
{
    wchar_t buffer[100] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 100);
    return length > 1 ? Narrow(std::wstring_view(buffer, static_cast<size_t>(length - 1))) : std::string();
}

} // namespace

RegionalFormats Win32RegionalSettings::Read() const
{
    RegionalFormats formats;
    const auto take = [](std::string& into, LCTYPE item) {
        if (std::string text = LocaleText(item); !text.empty()) {
            into = std::move(text);
        }
    };
    take(formats.DateSeparator, LOCALE_SDATE);
    take(formats.TimeSeparator, LOCALE_STIME);
    take(formats.DecimalSeparator, LOCALE_SDECIMAL);
    take(formats.ShortDatePattern, LOCALE_SSHORTDATE);
    take(formats.LongTimePattern, LOCALE_STIMEFORMAT);
    return formats;
}

void Win32DebugOutput::Write(std::string_view line)
{
    OutputDebugStringW(Widen(line).c_str());
}

} // namespace kelvane::platform
