#include "e2e/X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>

namespace kelvane::test {

X11Desktop::X11Desktop()
{
    if (std::getenv("DISPLAY")) {
        m_display = XOpenDisplay(nullptr);
    }
}

X11Desktop::~X11Desktop()
{
    if (m_display) {
        XCloseDisplay(m_display);
    }
}

bool X11Desktop::HasTray() const
{
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(m_display));
    return XGetSelectionOwner(m_display, XInternAtom(m_display, selection.c_str(), False)) != None;
}

std::optional<unsigned long> X11Desktop::VisibleWindow(const std::string& title) const
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XSync(m_display, False);
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count)) {
        return std::nullopt;
    }
    std::optional<unsigned long> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        // A tray icon carries the program's title too, and sits on the root until the tray takes it in:
        // only something larger than an icon counts as a window.
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable ||
            attributes.width <= 128 || attributes.height <= 128) {
            continue;
        }
        XTextProperty name;
        if (XGetWMName(m_display, children[i], &name) && name.value) {
            if (title == reinterpret_cast<const char*>(name.value)) {
                found = children[i];
            }
            XFree(name.value);
        }
    }
    if (children) {
        XFree(children);
    }
    return found;
}

void X11Desktop::RequestClose(unsigned long window) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XFlush(m_display);
}

} // namespace kelvane::test
