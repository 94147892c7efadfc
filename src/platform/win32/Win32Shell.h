#pragma once

#include "platform/Shell.h"

namespace kelvane::platform {

// The Windows shell's verbs for a screensaver file; nothing waits for what they start.
class Win32Shell final : public Shell
{
public:
    Win32Shell() = default;
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    bool ScreensaverFileExists(const std::string& path) override;
    void RunScreensaverFile(const std::string& path) override;
    void ConfigureScreensaverFile(const std::string& path) override;
    void OpenScreensaverControlPanel() override;
    void ShowFileProperties(const std::string& path) override;
    void ShowFileInFolder(const std::string& path) override;
    void CopyPathToClipboard(const std::string& path) override;

private:
    // The clipboard belongs to a window while it is changed; this hidden one is the program's own.
    void* ClipboardOwner();

    void* m_clipboardOwner = nullptr; // an HWND, made at the first copy
};

} // namespace kelvane::platform
