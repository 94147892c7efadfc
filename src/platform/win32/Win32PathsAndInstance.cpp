#include "platform/win32/Win32PathsAndInstance.h"

#include "common/AppIdentity.h"
#include "platform/win32/Win32Text.h"

// clang-format off
#include <windows.h>
#include <shlobj.h> // after windows.h, whose types it uses
// clang-format on

namespace kelvane::platform {
namespace {

constexpr const wchar_t* kRequestWindowClass = L"KelvaneInstanceRequests";

LRESULT CALLBACK RequestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ShowRequestMessage || message == ExitRequestMessage) {
        if (auto* owner = reinterpret_cast<Win32PathsAndInstance*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            owner->Dispatch(message == ExitRequestMessage ? InstanceRequest::Exit : InstanceRequest::Show);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32PathsAndInstance::~Win32PathsAndInstance()
{
    if (m_window) {
        DestroyWindow(static_cast<HWND>(m_window));
    }
    // The mutex stays until the process ends, as the lock of this instance.
}

std::string Win32PathsAndInstance::AppDataFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer) != S_OK) {
        return {};
    }
    return Narrow(buffer);
}

std::string Win32PathsAndInstance::ExecutableFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return Narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

InstanceLock Win32PathsAndInstance::AcquireInstanceLock()
{
    m_mutex = CreateMutexW(nullptr, TRUE, Widen(InstanceLockName).c_str());
    const DWORD error = GetLastError();
    if (m_mutex == nullptr && error != ERROR_ACCESS_DENIED) {
        return {InstanceLock::State::Unavailable,
                "The single-instance lock cannot be made (Windows error " + std::to_string(error) + ")."};
    }
    // A mutex of another session's program with the same name denies access: it is held elsewhere.
    if (m_mutex == nullptr || error == ERROR_ALREADY_EXISTS) {
        return {InstanceLock::State::HeldElsewhere, {}};
    }
    return {InstanceLock::State::Taken, {}};
}

void Win32PathsAndInstance::PostInstanceRequest(InstanceRequest request)
{
    if (const HWND window = FindWindowW(kRequestWindowClass, Widen(ApplicationTitle).c_str())) {
        PostMessageW(window, request == InstanceRequest::Exit ? ExitRequestMessage : ShowRequestMessage, 0, 0);
    }
}

void Win32PathsAndInstance::ListenForInstanceRequests(std::function<void(InstanceRequest)> handler)
{
    m_handler = std::move(handler);
    if (m_window) {
        return;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RequestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kRequestWindowClass;
    RegisterClassW(&windowClass);
    // Top-level but never shown: a message-only window could not be found by its title.
    const HWND window = CreateWindowExW(0, kRequestWindowClass, Widen(ApplicationTitle).c_str(), WS_OVERLAPPED, 0, 0, 0,
                                        0, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_window = window;
    }
}

void Win32PathsAndInstance::Dispatch(InstanceRequest request)
{
    if (m_handler) {
        m_handler(request);
    }
}

} // namespace kelvane::platform
