#pragma once

#include <string>

namespace kelvane::platform {

// A window program has no console of its own, so what it prints for "--version" or "--help" would
// reach no one. This writes the text where the user who started it reads it: the file or pipe its
// output was sent to, else the console of the program that started it (a command prompt). Lines end
// in CR LF, as Windows text does. False when there is neither.
bool WriteToStartingConsole(const std::string& text);

// The same text in a message box, for a start from no console at all (the Run box, a shortcut).
void ShowInMessageBox(const std::string& text, const std::string& title);

} // namespace kelvane::platform
