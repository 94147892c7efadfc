#pragma once

#include "common/Status.h"

#include <string>

namespace kelvane::platform {

// The per-user setting that names the desktop's screensaver: one path, or nothing.
class ScreensaverSetting
{
public:
    virtual ~ScreensaverSetting() = default;

    // The stored path as it stands; empty when nothing is set (or the setting cannot be read).
    virtual std::string ReadActiveScreensaverPath() = 0;
    // Stores the path; when it cannot, says why, for the caller to show.
    virtual Status WriteActiveScreensaverPath(const std::string& path) = 0;
    // Removes the setting, so that no screensaver is set; when it cannot, says why.
    virtual Status ClearActiveScreensaverPath() = 0;

    // The Windows folder, without a trailing separator; the system's blank screensaver lies below it.
    virtual std::string WindowsFolder() = 0;
};

} // namespace kelvane::platform
