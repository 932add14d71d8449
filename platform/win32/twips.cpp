#include "platform/win32/twips.h"

#include "platform/win32/gdi_objects.h"
#include "platform/win32/run_time_link.h"

namespace platform::win32 {

namespace {

constexpr int kTwipsPerInch = 1440;

}  // namespace

int SystemDpi() {
    // Fixed for the session: a process aware of each screen's DPI still gets
    // the scale the session started with here, whatever the screens show now.
    static const int dpi = [] {
        const WindowDC screen(nullptr);
        const int reported = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
        return reported > 0 ? reported : kDefaultDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    // GetDpiForWindow came with Windows 10 1607; 8.1 tells the DPI of the
    // window's screen through shcore.dll. MonitorFromWindow is missing from
    // NT 4.0.
    using ForWindow = UINT(WINAPI*)(HWND);
    using MonitorOfWindow = HMONITOR(WINAPI*)(HWND, DWORD);
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    static const auto forWindow = FindFunction<ForWindow>(user32, "GetDpiForWindow");
    static const auto monitorOf = FindFunction<MonitorOfWindow>(user32, "MonitorFromWindow");
    static const auto forMonitor =
        FindFunction<ForMonitor>(LoadSystemLibrary("shcore.dll"), "GetDpiForMonitor");
    if (forWindow != nullptr) {
        const UINT dpi = forWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    if (monitorOf != nullptr && forMonitor != nullptr) {
        // MONITOR_DEFAULTTOPRIMARY and MDT_EFFECTIVE_DPI: the scale the user chose.
        constexpr DWORD kPrimaryByDefault = 1;
        constexpr int kEffectiveDpi = 0;
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(forMonitor(monitorOf(window, kPrimaryByDefault), kEffectiveDpi, &x, &y)) &&
            x > 0) {
            return static_cast<int>(x);
        }
    }
    return SystemDpi();
}

int MetricForDpi(int index, int dpi) {
    using ForDpi = int(WINAPI*)(int, UINT);
    static const auto forDpi =
        FindFunction<ForDpi>(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi");
    return forDpi != nullptr ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

int PixelsToTwips(int pixels, int dpi) {
    return MulDiv(pixels, kTwipsPerInch, dpi);
}

int ScaledPixels(int pixelsAt96Dpi, int dpi) {
    return MulDiv(pixelsAt96Dpi, dpi, kDefaultDpi);
}

}  // namespace platform::win32
