#pragma once

#include "platform/Shell.h"

namespace kelvane::platform {

// The Windows shell's verbs for a screensaver file; nothing waits for what they start.
class Win32Shell final : public Shell
{
public:
    void RunScreensaverFile(const std::string& path) override;
    void ConfigureScreensaverFile(const std::string& path) override;
    void OpenScreensaverControlPanel() override;
    void ShowFileProperties(const std::string& path) override;
    void ShowFileInFolder(const std::string& path) override;
    void CopyPathToClipboard(const std::string& path) override;
};

} // namespace kelvane::platform
