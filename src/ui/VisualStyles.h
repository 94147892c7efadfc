#pragma once

#include <string>

class QWidget;

namespace kelvane {
class IniValues;
}

namespace kelvane::ui {

class UserMessages;

// Applies the named style, letter case ignored, to every window of the program at once. When no style
// of that name exists the style in use stays and the result is false; with a report given, the user is
// told which style was not found.
bool ApplyVisualStyle(const std::string& name, UserMessages* report = nullptr, QWidget* parent = nullptr);

// The error text for a style name that names no style.
std::string StyleNotFoundText(const std::string& name);

// The start-up step: the style stored as "Skin" in the settings file, or the plain style when none is
// stored. An unknown name is reported and the plain style stays.
bool ApplyStartupSkin(const IniValues& storedSettings, UserMessages& report);

} // namespace kelvane::ui
