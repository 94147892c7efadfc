// A stand-in screensaver for the tests of the Windows layer. It writes its arguments, one a line, to the
// file named by KELVANE_TEST_RECORD; with "/s" it then shows a window and runs until the Escape key or
// a close request ends it (or half a minute passes, so that no test can leave it behind for long).
#include <cstdio>
#include <cwchar>
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) || message == WM_CLOSE || message == WM_TIMER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
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
    SetTimer(window, 1, 30000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
