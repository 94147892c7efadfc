#pragma once

#include "settings/SettingsFile.h"

#include <cstdint>
#include <vector>

namespace kelvane {

// Where the main window opens. The stored placement is the window's outer frame (title bar and borders
// included); the window system sizes the client area inside it, so the two are turned into each other
// through the frame's margins.

struct FrameMargins
{
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    bool operator==(const FrameMargins&) const = default;
};

// The screens as they are now: the area of each that windows may use (without the taskbar), and which
// of them is the primary one.
struct ScreenAreas
{
    std::vector<WindowRect> Available;
    size_t Primary = 0;
};

struct ClientSize
{
    int32_t Width = 0;
    int32_t Height = 0;
};

WindowRect ClientRectOf(const WindowRect& frame, const FrameMargins& margins);
WindowRect FrameRectOf(const WindowRect& client, const FrameMargins& margins);

// The frame moved and, where needed, shrunk so that it lies wholly within the available area of the
// screen that holds most of it; a frame on no screen (one that has gone since) lands on the primary
// screen. The client area never goes below the window's smallest size: a frame that even then does not
// fit keeps its top left corner, and so its title bar, on the screen. Without screens nothing moves.
WindowRect FitFrameOnScreen(const WindowRect& frame, const ScreenAreas& screens, const FrameMargins& margins,
                            ClientSize smallestClient = {});

} // namespace kelvane
