// The monitors, the window in front and the display's power: what the hot
// corners need to know on a desktop of several screens.
#include <array>
#include <cstring>

#include "platform/win32/native.h"
#include "platform/win32/run_time_link.h"
// shellapi.h needs windows.h before it.
#include <shellapi.h>

namespace platform {

namespace {

ScreenRect FromRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

HMODULE User32() {
    return GetModuleHandleA("user32.dll");
}

// The desktop and the taskbar fill or touch a screen without being a program
// that fills it.
bool IsShellWindow(HWND window) {
    using GetShellWindowFunction = HWND(WINAPI*)();
    // Windows 2000 on; Explorer's desktop window is Progman there as before.
    static const auto getShellWindow =
        win32::FindFunction<GetShellWindowFunction>(User32(), "GetShellWindow");
    if (window == GetDesktopWindow()) return true;
    if (getShellWindow != nullptr && window == getShellWindow()) return true;
    std::array<char, 32> name{};
    GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd"}) {
        if (std::strcmp(name.data(), shell) == 0) return true;
    }
    return false;
}

// The whole rectangle of the monitor from (MonitorFromPoint or
// MonitorFromWindow) finds; nullopt where Windows has no monitor functions (95,
// NT 4.0: an import would keep the exe from starting there).
template <typename Argument>
std::optional<ScreenRect> MonitorOf(HMONITOR(WINAPI* from)(Argument, DWORD), Argument argument) {
    using InfoFunction = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
    static const auto getInfo = win32::FindFunction<InfoFunction>(User32(), "GetMonitorInfoA");
    if (from == nullptr || getInfo == nullptr) return std::nullopt;
    const HMONITOR monitor = from(argument, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !getInfo(monitor, &info)) return std::nullopt;
    return FromRect(info.rcMonitor);
}

}  // namespace

std::optional<ScreenRect> MonitorAt(std::int32_t x, std::int32_t y) {
    using FromPointFunction = HMONITOR(WINAPI*)(POINT, DWORD);
    static const auto fromPoint =
        win32::FindFunction<FromPointFunction>(User32(), "MonitorFromPoint");
    return MonitorOf(fromPoint, POINT{x, y});
}

std::optional<FrontWindow> ForegroundWindowFacts() {
    const HWND window = GetForegroundWindow();
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect)) return std::nullopt;
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    FrontWindow front;
    front.rect = FromRect(rect);
    front.framed = (style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME) != 0;
    front.shell = IsShellWindow(window);
    using FromWindowFunction = HMONITOR(WINAPI*)(HWND, DWORD);
    static const auto fromWindow =
        win32::FindFunction<FromWindowFunction>(User32(), "MonitorFromWindow");
    front.monitor = MonitorOf(fromWindow, window)
                        .value_or(ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN),
                                             GetSystemMetrics(SM_CYSCREEN)});
    return front;
}

ShellFullScreen ShellFullScreenState() {
    // QUERY_USER_NOTIFICATION_STATE: busy (a full-screen program), Direct3D full
    // screen and presentation mode.
    constexpr int kBusy = 2;
    constexpr int kDirect3DFullScreen = 3;
    constexpr int kPresentationMode = 4;
    using QueryFunction = HRESULT(WINAPI*)(int*);
    static const auto query = win32::FindFunction<QueryFunction>(GetModuleHandleA("shell32.dll"),
                                                                 "SHQueryUserNotificationState");
    int state = 0;
    if (query == nullptr || FAILED(query(&state))) return ShellFullScreen::None;
    if (state == kPresentationMode) return ShellFullScreen::Presentation;
    if (state == kBusy || state == kDirect3DFullScreen) return ShellFullScreen::Program;
    return ShellFullScreen::None;
}

void KeepDisplayAwake(bool awake) {
    using SetStateFunction = DWORD(WINAPI*)(DWORD);
    // Windows 98 and 2000 on.
    static const auto setState = win32::FindFunction<SetStateFunction>(
        GetModuleHandleA("kernel32.dll"), "SetThreadExecutionState");
    if (setState == nullptr) return;
    setState(awake ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

}  // namespace platform
