#pragma once

#include "platform/PathsAndInstance.h"

namespace kelvane::platform {

// The instance rule on Windows: the named mutex of the session, and a hidden top-level window titled
// "Kelvane" (of a class of its own, so a second start finds exactly it) that takes the two requests as
// window messages 1066 and 1067.
class Win32PathsAndInstance final : public PathsAndInstance
{
public:
    Win32PathsAndInstance() = default;
    ~Win32PathsAndInstance() override;
    Win32PathsAndInstance(const Win32PathsAndInstance&) = delete;
    Win32PathsAndInstance& operator=(const Win32PathsAndInstance&) = delete;

    std::string AppDataFolder() override;
    std::string ExecutableFolder() override;
    InstanceLock AcquireInstanceLock() override;
    void PostInstanceRequest(InstanceRequest request) override;
    void ListenForInstanceRequests(std::function<void(InstanceRequest)> handler) override;

    // Called by the window's procedure.
    void Dispatch(InstanceRequest request);

private:
    void* m_mutex = nullptr;  // HANDLE, held until the process ends
    void* m_window = nullptr; // HWND of the request window
    std::function<void(InstanceRequest)> m_handler;
};

inline constexpr unsigned ShowRequestMessage = 1066; // WM_USER + 42
inline constexpr unsigned ExitRequestMessage = 1067; // WM_USER + 43

} // namespace kelvane::platform
