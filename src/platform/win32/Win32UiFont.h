#pragma once

namespace kelvane::platform {

// Makes the application's fonts ones this system draws as asked, each at the size Windows gives it:
// Windows' own user-interface face when it is there, else a sans face that stands in for it. Under
// Wine, Qt's font engine finds only the faces registered with a file, which Wine's own Tahoma is
// not. Called once the application object exists and before any window is made.
void UseAvailableUiFont();

} // namespace kelvane::platform
