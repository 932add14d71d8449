// A stand-in for a game or a slide show: a window that fills the primary
// screen from the front, without caption or frame.
#include "commands.h"
#include "window_access.h"

#include <cstdio>

namespace probe {

namespace {

// Painted all in this colour, which the window makes see-through: the
// screenshots of the tests still show the taskbar and its icons beneath.
constexpr COLORREF kSeeThrough = RGB(255, 0, 255);

LRESULT CALLBACK FillProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int CommandFillScreen() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = FillProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(kSeeThrough);
    windowClass.lpszClassName = L"Orbiquell.Probe.FullScreen";
    if (!RegisterClassW(&windowClass)) return 1;
    HWND window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST, windowClass.lpszClassName,
                                  L"full screen", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (!window) return 1;
    SetLayeredWindowAttributes(window, kSeeThrough, 0, LWA_COLORKEY);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    std::printf("filled\thwnd=%s\n", HandleText(window).c_str());
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace probe
