#pragma once

#include "settings/WindowPlacement.h"

#include <cstdint>
#include <optional>

namespace kelvane::platform {

// The margins between a window's whole rectangle (the one the system stores as its placement, borders
// included even where Windows draws them invisible) and its client area, in device pixels; none for a
// minimised window, whose rectangle is its icon's.
std::optional<FrameMargins> Win32OuterFrameMargins(uint64_t nativeWindow);

} // namespace kelvane::platform
