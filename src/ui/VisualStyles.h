#pragma once

#include <string>

namespace kelvane::ui {

// The style every window starts in: the platform's own look.
inline constexpr const char* PlainStyleName = "Windows";

// Applies the named style to every window of the program; false when no style of that name exists,
// in which case the style in use stays.
bool ApplyVisualStyle(const std::string& name);

} // namespace kelvane::ui
