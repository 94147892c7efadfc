#pragma once

#include "platform/ScreensaverPreview.h"

#include <memory>

namespace kelvane::platform {

// A Windows screensaver draws its preview into the window whose handle follows "/p": the pane's own.
std::shared_ptr<ScreensaverPreview> MakePanePreview();

// The preview this system can show. Under Wine a window that another process makes inside the pane is
// never drawn on the screen, so there the preview starts nothing and the pane says so.
std::shared_ptr<ScreensaverPreview> MakeWin32ScreensaverPreview();

} // namespace kelvane::platform
