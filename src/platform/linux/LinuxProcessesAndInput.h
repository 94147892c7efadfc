#pragma once

#include "platform/ProcessesAndInput.h"

#include <functional>
#include <memory>
#include <sys/types.h>
#include <unistd.h>

namespace kelvane::platform {

class XScreenSaverBackend;

// Running screensavers are found through /proc among the user's own processes, native ones by their
// executable and Wine-hosted ones by the file their loader was started on; the exit input goes through
// the XTest extension of the X display, when there is one. With XScreenSaver, the daemon ends what it
// shows (or our own full-screen hack is closed), and the input goes out only when neither showed one.
class LinuxProcessesAndInput final : public ProcessesAndInput
{
public:
    // The preview's process, if one runs, is passed over when looking for a running screensaver. The
    // owner is the user whose processes count: the one this program runs as.
    explicit LinuxProcessesAndInput(std::shared_ptr<XScreenSaverBackend> xscreensaver = nullptr,
                                    std::function<std::optional<int64_t>()> previewProcess = {},
                                    uid_t owner = ::getuid())
        : m_xscreensaver(std::move(xscreensaver)), m_previewProcess(std::move(previewProcess)), m_owner(owner)
    {}

    std::optional<int64_t> FindProcessByExeName(const std::string& path) override;
    void SendScreensaverExitInput() override;

private:
    std::shared_ptr<XScreenSaverBackend> m_xscreensaver;
    std::function<std::optional<int64_t>()> m_previewProcess;
    uid_t m_owner;
};

} // namespace kelvane::platform
