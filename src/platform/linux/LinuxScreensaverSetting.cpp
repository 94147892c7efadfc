#include "platform/linux/LinuxScreensaverSetting.h"

#include "common/FileIO.h"
#include "common/TextEncoding.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/WineDrive.h"
#include "settings/IniDocument.h"
#include "settings/fileFunc.h"

#include <filesystem>

namespace kelvane::platform {
namespace {

constexpr const char* kDesktopSection = "Control Panel\\Desktop";
constexpr const char* kScreensaverKey = "SCRNSAVE.EXE";
constexpr const char* kEntrySection = "Desktop Entry";

void MakeFolderFor(const std::string& file)
{
    std::error_code ec;
    std::filesystem::create_directories(PathFromUtf8(file).parent_path(), ec);
}

} // namespace

std::string ConfigHome()
{
    return AbsoluteFolderOr("XDG_CONFIG_HOME", HomeFolder() + "/.config");
}

std::string LinuxScreensaverSetting::SettingFileName()
{
    return ConfigHome() + "/kelvane/desktop.ini";
}

std::string LinuxScreensaverSetting::ReadActiveScreensaverPath()
{
    return ReadIniString(SettingFileName(), kDesktopSection, kScreensaverKey, "");
}

Status LinuxScreensaverSetting::WriteActiveScreensaverPath(const std::string& path)
{
    MakeFolderFor(SettingFileName());
    if (const Status written = WriteIniString(SettingFileName(), kDesktopSection, kScreensaverKey, path); !written) {
        return Status::Error("The active screensaver could not be saved: " + written.message());
    }
    return Status::Ok();
}

Status LinuxScreensaverSetting::ClearActiveScreensaverPath()
{
    if (const Status cleared = DeleteIniKey(SettingFileName(), kDesktopSection, kScreensaverKey); !cleared) {
        return Status::Error("The active screensaver could not be cleared: " + cleared.message());
    }
    return Status::Ok();
}

std::string LinuxScreensaverSetting::WindowsFolder()
{
    return WinePrefix() + "/drive_c/windows";
}

std::string DesktopExecArgument(const std::string& argument)
{
    // Characters that make an argument need quotes, and those that need a backslash inside them.
    static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    static constexpr std::string_view kEscapedInQuotes = "\"`$\\";
    std::string quoted;
    const bool needsQuotes = argument.empty() || argument.find_first_of(kReserved) != std::string::npos;
    if (needsQuotes) {
        quoted += '"';
        for (const char c : argument) {
            if (kEscapedInQuotes.find(c) != std::string_view::npos) {
                quoted += '\\';
            }
            quoted += c;
        }
        quoted += '"';
    } else {
        quoted = argument;
    }
    // Then the rules of the file itself: "%" introduces field codes, a backslash starts an escape, a
    // line break would end the value, and the other control characters it escapes may not stand raw.
    std::string value;
    for (const char c : quoted) {
        if (c == '%') {
            value += "%%";
        } else if (c == '\\') {
            value += "\\\\";
        } else if (c == '\n') {
            value += "\\n";
        } else if (c == '\t') {
            value += "\\t";
        } else if (c == '\r') {
            value += "\\r";
        } else {
            value += c;
        }
    }
    return value;
}

Result<std::string> DesktopExecLine(const std::string& program)
{
    if (program.empty() || program.front() != '/') {
        return Result<std::string>::Error(program + " is not a full path");
    }
    if (!IsValidUtf8(program)) {
        return Result<std::string>::Error(program + " is not UTF-8 text, which a desktop entry must be");
    }
    for (const char c : program) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7f) {
            return Result<std::string>::Error(program + " holds a control character that a desktop entry cannot carry");
        }
        if (c == '%') {
            return Result<std::string>::Error(program +
                                              " holds a \"%\", which desktops do not read back in a program's path");
        }
    }
    return DesktopExecArgument(program);
}

std::string LinuxAutostartEntry::EntryFileName()
{
    return ConfigHome() + "/autostart/kelvane.desktop";
}

Status LinuxAutostartEntry::EnableAutostart(const std::string& executablePath)
{
    const Result<std::string> exec = DesktopExecLine(executablePath);
    if (!exec) {
        return Status::Error("Kelvane cannot start with the desktop: " + exec.message());
    }
    const std::string file = EntryFileName();
    MakeFolderFor(file);
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Kelvane\n"
                             "Comment=Screensaver manager\n"
                             "Exec=" +
                             exec.value() +
                             "\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n";
    if (const Status written = WriteFileAtomically(file, text); !written) {
        return Status::Error("Kelvane's autostart entry could not be saved: " + written.message());
    }
    return Status::Ok();
}

Status LinuxAutostartEntry::DisableAutostart()
{
    std::error_code ec;
    std::filesystem::remove(PathFromUtf8(EntryFileName()), ec); // no error when there is no entry
    if (ec) {
        return Status::Error("Kelvane's autostart entry could not be removed: " + ec.message());
    }
    return Status::Ok();
}

std::optional<std::string> LinuxAutostartEntry::ReadAutostart()
{
    const auto bytes = ReadFileBytes(EntryFileName());
    if (!bytes) {
        return std::nullopt;
    }
    return IniDocument::Parse(bytes.value()).Get(kEntrySection, "Exec");
}

} // namespace kelvane::platform
