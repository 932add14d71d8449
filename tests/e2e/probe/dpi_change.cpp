// The "dpi-changed" command: what Windows sends a window whose screen changed
// scale, which Wine does not send.
#include <cstdio>

#include "commands.h"
#include "window_access.h"

namespace probe {

int CommandDpiChanged(const wchar_t* className, int newDpi, int oldDpi) {
    HWND window = nullptr;
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) != className) continue;
        if (!window || (IsWindowVisible(w) && !IsWindowVisible(window))) window = w;
    }
    if (!window || newDpi <= 0 || oldDpi <= 0) return 1;
    // The place Windows suggests: where the window is, its size scaled by the
    // change. Wine does not copy the message's RECT into the receiving process,
    // so it is written there (the same four ints for a 32-bit program), and
    // the message carries its address there.
    RECT rect = {};
    GetWindowRect(window, &rect);
    rect.right = rect.left + MulDiv(rect.right - rect.left, newDpi, oldDpi);
    rect.bottom = rect.top + MulDiv(rect.bottom - rect.top, newDpi, oldDpi);
    RemoteBuffer remote(ProcessOf(window), sizeof rect);
    if (!remote.ok() || !remote.write(0, &rect, sizeof rect)) {
        std::printf("error\tcannot reach the memory of process %lu\n", ProcessOf(window));
        return 1;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                             reinterpret_cast<LPARAM>(remote.at(0)), SMTO_ABORTIFHUNG, 10000,
                             &result)) {
        std::printf("error\tno answer to WM_DPICHANGED from %s\n", HandleText(window).c_str());
        return 1;
    }
    std::printf("sent\thwnd=%s\tdpi=%d\trect=%s\n", HandleText(window).c_str(), newDpi,
                RectText(rect).c_str());
    return 0;
}

}  // namespace probe
