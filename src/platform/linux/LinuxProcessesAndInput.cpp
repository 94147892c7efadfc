#include "platform/linux/LinuxProcessesAndInput.h"

#include "common/TextCase.h"
#include "platform/linux/XScreenSaverBackend.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

// Last: X11's macros (None, Bool, Status, True, ...) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kelvane::platform {
namespace {

// Both arguments that can name a Wine-hosted program fit well within this; a longer command line is
// read only this far.
constexpr size_t kMaxCommandLineBytes = 64 * 1024;
constexpr size_t kMaxStatBytes = 4096;

// Reads up to maxBytes of a /proc file; empty when it cannot be read (the process may be gone already).
std::string ReadProcFile(const std::string& path, size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string text;
    char buffer[4096];
    while (text.size() < maxBytes) {
        const auto count = ::read(fd, buffer, std::min(sizeof(buffer), maxBytes - text.size()));
        if (count > 0) {
            text.append(buffer, static_cast<size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(fd);
    return text;
}

std::string ExeLinkTarget(const std::string& procFolder)
{
    char buffer[PATH_MAX];
    const auto length = ::readlink((procFolder + "/exe").c_str(), buffer, sizeof(buffer));
    if (length <= 0 || static_cast<size_t>(length) >= sizeof(buffer)) {
        return {};
    }
    std::string target(buffer, static_cast<size_t>(length));
    // A program whose file was replaced or removed while it ran (an update, a reinstall) is still that
    // program; the kernel marks its link so.
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.ends_with(deleted)) {
        target.resize(target.size() - deleted.size());
    }
    return target;
}

// The file names of the first two arguments: a Wine-hosted program runs as a loader whose first or
// second argument is the Windows program.
std::vector<std::string> LeadingArgumentNames(const std::string& procFolder)
{
    const std::string commandLine = ReadProcFile(procFolder + "/cmdline", kMaxCommandLineBytes);
    std::vector<std::string> names;
    size_t start = 0;
    while (names.size() < 2 && start < commandLine.size()) {
        size_t end = commandLine.find('\0', start);
        if (end == std::string::npos) {
            end = commandLine.size();
        }
        names.push_back(ExecutableFileName(commandLine.substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

// A zombie keeps its id until its parent reaps it, but it has ended; one that cannot be read has too.
bool IsRunning(const std::string& procFolder)
{
    const std::string statLine = ReadProcFile(procFolder + "/stat", kMaxStatBytes);
    // The program's name stands in parentheses and may itself hold ") ", so the state follows the last one.
    const size_t nameEnd = statLine.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 2 >= statLine.size()) {
        return false;
    }
    const char state = statLine[nameEnd + 2];
    return state != 'Z' && state != 'X';
}

bool MatchesName(const std::string& procFolder, const std::string& wanted)
{
    // Every name goes through the same cut as the one asked for, so a process is found by its own path
    // even when a Linux file name holds a ':' or a '\'.
    if (EqualsIgnoringAsciiCase(ExecutableFileName(ExeLinkTarget(procFolder)), wanted)) {
        return true;
    }
    for (const std::string& name : LeadingArgumentNames(procFolder)) {
        if (EqualsIgnoringAsciiCase(name, wanted)) {
            return true;
        }
    }
    return false;
}

std::optional<int64_t> ProcessId(const char* entryName)
{
    const std::string_view text(entryName);
    int64_t pid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

struct DirCloser
{
    void operator()(DIR* dir) const { ::closedir(dir); }
};

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};

} // namespace

std::optional<int64_t> LinuxProcessesAndInput::FindProcessByExeName(const std::string& path)
{
    const std::string wanted = ExecutableFileName(path);
    if (wanted.empty()) {
        return std::nullopt; // would match every process whose names cannot be read
    }
    const std::unique_ptr<DIR, DirCloser> proc(::opendir("/proc"));
    if (!proc) {
        return std::nullopt;
    }
    // Whatever this program is called, it is never the screensaver it looks for.
    const int64_t self = ::getpid();
    const std::optional<int64_t> preview = m_previewProcess ? m_previewProcess() : std::nullopt;
    while (const dirent* entry = ::readdir(proc.get())) {
        const std::optional<int64_t> pid = ProcessId(entry->d_name);
        if (!pid || *pid == self || pid == preview) {
            continue;
        }
        const std::string procFolder = std::string("/proc/") + entry->d_name;
        if (MatchesName(procFolder, wanted) && IsRunning(procFolder)) {
            return pid;
        }
    }
    return std::nullopt;
}

void LinuxProcessesAndInput::SendScreensaverExitInput()
{
    if (m_xscreensaver && m_xscreensaver->EndSaver()) {
        return;
    }
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        return;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
        return;
    }
    constexpr unsigned long kNow = 0; // no delay before the server plays the event
    XTestFakeRelativeMotionEvent(display.get(), 1, 1, kNow);
    // A keyboard map without Escape gets no key: keycode 0 would be an X error, and Xlib's default
    // handler for errors ends the program.
    if (const KeyCode escape = XKeysymToKeycode(display.get(), XK_Escape); escape != 0) {
        XTestFakeKeyEvent(display.get(), escape, True, kNow);
        XTestFakeKeyEvent(display.get(), escape, False, kNow);
    }
    XFlush(display.get());
}

} // namespace kelvane::platform
