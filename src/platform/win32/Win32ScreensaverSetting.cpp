#include "platform/win32/Win32ScreensaverSetting.h"

#include "platform/win32/Win32Text.h"

#include <algorithm>
#include <optional>
#include <string>
#include <windows.h>

namespace kelvane::platform {
namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";
constexpr const wchar_t* kScreensaverValue = L"SCRNSAVE.EXE";
constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunValue = L"Kelvane";

// The system's text for a registry call's result, without its line break.
std::string ErrorText(LONG code)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.')) {
        text.pop_back();
    }
    return text.empty() ? "error " + std::to_string(code) : Narrow(text);
}

// An open registry key, closed when it goes.
class Key
{
public:
    Key(const wchar_t* path, REGSAM access)
    {
        m_opened = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &m_key);
        if (m_opened != ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    ~Key()
    {
        if (m_key) {
            RegCloseKey(m_key);
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    explicit operator bool() const { return m_key != nullptr; }
    HKEY get() const { return m_key; }
    // Why the key is not open.
    LONG OpenResult() const { return m_opened; }

private:
    HKEY m_key = nullptr;
    LONG m_opened = ERROR_SUCCESS;
};

// Each call asks only for the right it uses; asking for more fails where policy locks keys.
std::optional<std::wstring> ReadString(const wchar_t* path, const wchar_t* name)
{
    const Key key(path, KEY_QUERY_VALUE);
    if (!key) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // The stored text may or may not end in a terminator; either way it ends at the first one.
    value.resize(value.find(L'\0') == std::wstring::npos ? value.size() : value.find(L'\0'));
    return value;
}

// Nothing, or the system's reason the value was not written.
std::optional<std::string> WriteString(const wchar_t* path, const wchar_t* name, const std::wstring& value)
{
    const Key key(path, KEY_SET_VALUE);
    if (!key) {
        return ErrorText(key.OpenResult());
    }
    const LONG set = RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return set == ERROR_SUCCESS ? std::nullopt : std::optional<std::string>(ErrorText(set));
}

// Nothing, or the system's reason the value is still there; a value or key that is not there is gone.
std::optional<std::string> DeleteValue(const wchar_t* path, const wchar_t* name)
{
    const Key key(path, KEY_SET_VALUE);
    if (!key) {
        return key.OpenResult() == ERROR_FILE_NOT_FOUND ? std::nullopt
                                                        : std::optional<std::string>(ErrorText(key.OpenResult()));
    }
    const LONG deleted = RegDeleteValueW(key.get(), name);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND ? std::nullopt
                                                                       : std::optional<std::string>(ErrorText(deleted));
}

Status Failed(const std::optional<std::string>& reason, const std::string& what)
{
    return reason ? Status::Error(what + ": " + *reason) : Status::Ok();
}

} // namespace

std::string Win32ScreensaverSetting::ReadActiveScreensaverPath()
{
    return Narrow(ReadString(kDesktopKey, kScreensaverValue).value_or(L""));
}

Status Win32ScreensaverSetting::WriteActiveScreensaverPath(const std::string& path)
{
    return Failed(WriteString(kDesktopKey, kScreensaverValue, Widen(path)),
                  "The active screensaver could not be saved");
}

Status Win32ScreensaverSetting::ClearActiveScreensaverPath()
{
    return Failed(DeleteValue(kDesktopKey, kScreensaverValue), "The active screensaver could not be cleared");
}

std::string Win32ScreensaverSetting::WindowsFolder()
{
    wchar_t buffer[255] = {};
    const UINT length = GetWindowsDirectoryW(buffer, 255);
    return length > 0 && length < 255 ? Narrow(std::wstring_view(buffer, length)) : std::string();
}

namespace {

// The path as Windows writes it: the system reads a Run value with backslashes, and so do the user
// and the tools that show it.
std::string NativePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

} // namespace

std::string AutostartCommand(const std::string& executablePath)
{
    const std::string path = NativePath(executablePath);
    return path.find_first_of(" \t") == std::string::npos ? path : "\"" + path + "\"";
}

Status Win32AutostartEntry::EnableAutostart(const std::string& executablePath)
{
    return Failed(WriteString(kRunKey, kRunValue, Widen(AutostartCommand(executablePath))),
                  "Kelvane's autostart entry could not be saved");
}

Status Win32AutostartEntry::DisableAutostart()
{
    return Failed(DeleteValue(kRunKey, kRunValue), "Kelvane's autostart entry could not be removed");
}

std::optional<std::string> Win32AutostartEntry::ReadAutostart()
{
    const auto value = ReadString(kRunKey, kRunValue);
    return value ? std::optional<std::string>(Narrow(*value)) : std::nullopt;
}

void Win32AutostartEntry::RenewAutostart(const std::string& executablePath)
{
    // Older versions wrote the path as Qt gives it, with forward slashes, and nothing else; a value the
    // user edited (another letter case, arguments) is the user's and stays.
    const std::optional<std::string> value = ReadAutostart();
    const std::string command = AutostartCommand(executablePath);
    if (value && *value != command && NativePath(*value) == command) {
        // A renewal that fails leaves the older value, which still starts the program.
        (void)EnableAutostart(executablePath);
    }
}

} // namespace kelvane::platform
