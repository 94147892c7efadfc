#pragma once

#include <optional>
#include <string>

struct _XDisplay;

namespace kelvane::test {

// A few looks at, and one request to, the X display that the end-to-end runs use.
class X11Desktop
{
public:
    X11Desktop(); // opens $DISPLAY
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    bool Open() const { return m_display != nullptr; }
    // Whether a notification area owns the screen's tray selection.
    bool HasTray() const;
    // The first mapped top-level window with exactly this title that is larger than an icon.
    std::optional<unsigned long> VisibleWindow(const std::string& title) const;
    // What a title bar's close button sends: the window manager's polite delete request.
    void RequestClose(unsigned long window) const;

private:
    ::_XDisplay* m_display = nullptr;
};

} // namespace kelvane::test
