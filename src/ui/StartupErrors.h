#pragma once

#include <string>

namespace kelvane::ui {

// True when a message box can be seen: a display to show it on, and not one of Qt's invisible platforms.
bool DisplayIsAvailable();

// A failure that ends the start before any window exists: always written to standard error, and shown
// in a message box as well when a display is available.
void ReportFatalStartupError(int& argc, char** argv, const std::string& message);

} // namespace kelvane::ui
