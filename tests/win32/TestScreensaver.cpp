// A stand-in screensaver for the tests of the Windows layer. It writes its arguments, one a line, to the
// file named by KELVANE_TEST_RECORD; with "/s" it then shows a window and runs until the Escape key or
// a close request ends it (or half a minute passes, so that no test can leave it behind for long). With
// "/p <window>" it fills that window with a child window in one plain colour, PreviewColour, until the
// window goes (or half a minute passes).
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <windows.h>

namespace {

constexpr COLORREF PreviewColour = RGB(0x20, 0xC0, 0x60);
constexpr UINT_PTR GiveUp = 1;
constexpr UINT_PTR WatchParent = 2;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == WatchParent) {
        if (!IsWindow(GetParent(window))) {
            PostQuitMessage(0);
        }
        return 0;
    }
    if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) || message == WM_CLOSE || message == WM_TIMER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunMessages()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// The preview: a child window over the whole of the given window.
int Preview(const wchar_t* windowNumber)
{
    const auto parent = reinterpret_cast<HWND>(static_cast<uintptr_t>(_wcstoui64(windowNumber, nullptr, 10)));
    RECT area{};
    if (!IsWindow(parent) || !GetClientRect(parent, &area)) {
        return 1;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(PreviewColour);
    windowClass.lpszClassName = L"KelvaneTestPreview";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Test preview", WS_CHILD | WS_VISIBLE, 0, 0,
                                        area.right, area.bottom, parent, nullptr, windowClass.hInstance, nullptr);
    if (!window) {
        return 1;
    }
    SetTimer(window, GiveUp, 30000, nullptr);
    SetTimer(window, WatchParent, 200, nullptr);
    return RunMessages();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    wchar_t record[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KELVANE_TEST_RECORD", record, MAX_PATH) > 0) {
        if (FILE* out = _wfopen(record, L"ab")) {
            for (int i = 1; i < argc; ++i) {
                char utf8[1024] = {};
                const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, utf8, sizeof(utf8), nullptr, nullptr);
                if (size > 0) {
                    std::fwrite(utf8, 1, static_cast<size_t>(size - 1), out);
                }
                std::fputc('\n', out);
            }
            std::fclose(out);
        }
    }
    if (argc >= 3 && _wcsicmp(argv[1], L"/p") == 0) {
        return Preview(argv[2]);
    }
    if (argc < 2 || _wcsicmp(argv[1], L"/s") != 0) {
        return 0;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KelvaneTestScreensaver";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Test screensaver", WS_POPUP, 0, 0,
                                        200, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetTimer(window, GiveUp, 30000, nullptr);
    return RunMessages();
}
