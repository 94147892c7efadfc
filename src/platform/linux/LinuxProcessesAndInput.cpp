#include "platform/linux/LinuxProcessesAndInput.h"

#include "common/FileNames.h"
#include "common/TextCase.h"
#include "platform/linux/LinuxOwnProcesses.h"
#include "platform/linux/XScreenSaverBackend.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

// Last: X11's macros (None, Bool, Status, True, ...) would break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kelvane::platform {
namespace {

// A Wine-hosted program runs as a loader whose first or second argument is the Windows program.
bool HostsWindowsProgram(int64_t pid, const std::string& wanted)
{
    for (const std::string& argument : OwnProcesses::Arguments(pid, 2)) {
        if (EqualsIgnoringAsciiCase(ExecutableFileName(argument), wanted)) {
            return true;
        }
    }
    return false;
}

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// A small mouse movement and the Escape key through the XTest extension of the X display.
void SendXTestExitInput()
{
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

} // namespace

std::optional<int64_t> LinuxProcessesAndInput::FindProcessByExeName(const std::string& path)
{
    const std::string wanted = ExecutableFileName(path);
    if (wanted.empty()) {
        return std::nullopt; // would match every process whose names cannot be read
    }
    // Whatever this program is called, it is never the screensaver it looks for.
    const int64_t self = ::getpid();
    const std::optional<int64_t> preview = m_previewProcess ? m_previewProcess() : std::nullopt;
    // A native program by its executable alone: a name among the arguments (a manual page opened on
    // it, an editor) runs nothing of it.
    const bool windowsProgram = EndsWithScr(wanted);
    for (const int64_t pid : OwnProcesses(m_owner).Running()) {
        if (pid == self || pid == preview) {
            continue;
        }
        // Every name goes through the same cut as the one asked for, so a process is found by its own
        // path even when a Linux file name holds a ':' or a '\'.
        if (EqualsIgnoringAsciiCase(ExecutableFileName(OwnProcesses::Executable(pid)), wanted) ||
            (windowsProgram && HostsWindowsProgram(pid, wanted))) {
            return pid;
        }
    }
    return std::nullopt;
}

void LinuxProcessesAndInput::SendScreensaverExitInput()
{
    if (m_xscreensaver) {
        m_xscreensaver->EndSaver(SendXTestExitInput);
        return;
    }
    SendXTestExitInput();
}

} // namespace kelvane::platform
