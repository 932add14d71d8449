// The loss of a program's notification-area icon, staged from outside: what the
// shell's restart does to it, without restarting the shell.
#include "commands.h"
#include "window_access.h"
// shellapi.h needs windows.h (from window_access.h) before it.
#include <shellapi.h>

#include <cstdio>

namespace probe {

namespace {

// The window of that class, top-level or a child of one.
HWND FindAnyWindow(const wchar_t* className) {
    for (HWND top : TopLevelWindows()) {
        if (ClassOf(top) == className) return top;
        for (HWND child : ChildWindows(top)) {
            if (ClassOf(child) == className) return child;
        }
    }
    return nullptr;
}

// Waits for a moment when Orbiquell's tip will not change for half a second.
// Its tip shows the uptime, the performance counter's time, in whole seconds,
// so the text changes when the fraction of a second passes .5, and a tip the
// shell refuses is how the program finds a lost icon without a broadcast. At
// a fraction of .95 the next change is 550 ms away: an icon that is back
// sooner came back through the broadcast.
void WaitUntilTheTipStaysForHalfASecond() {
    LARGE_INTEGER frequency = {};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return;
    for (;;) {
        LARGE_INTEGER count = {};
        QueryPerformanceCounter(&count);
        const double fraction = static_cast<double>(count.QuadPart % frequency.QuadPart) /
                                static_cast<double>(frequency.QuadPart);
        if (fraction >= 0.95 && fraction < 0.99) return;
        Sleep(1);
    }
}

NOTIFYICONDATAW IconRecord(HWND window, UINT id) {
    NOTIFYICONDATAW record = {};
    record.cbSize = sizeof record;
    record.hWnd = window;
    record.uID = id;
    return record;
}

}  // namespace

int CommandForgetIcon(const wchar_t* className, UINT id, bool broadcast, DWORD waitMs) {
    HWND window = FindAnyWindow(className);
    if (!window) {
        std::printf("error\tno window of class %s\n", Utf8(className).c_str());
        return 1;
    }
    if (broadcast) WaitUntilTheTipStaysForHalfASecond();
    NOTIFYICONDATAW record = IconRecord(window, id);
    if (!Shell_NotifyIconW(NIM_DELETE, &record)) {
        std::printf("error\tthe shell has no icon %u of window %s\n", id,
                    HandleText(window).c_str());
        return 1;
    }
    const DWORD deleted = GetTickCount();
    if (broadcast) {
        PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    }
    // A change of nothing succeeds exactly when the shell knows the icon, and
    // leaves what it shows alone.
    for (;;) {
        record = IconRecord(window, id);
        const DWORD waited = GetTickCount() - deleted;
        if (Shell_NotifyIconW(NIM_MODIFY, &record)) {
            std::printf("back\tms=%lu\n", waited);
            return 0;
        }
        if (waited > waitMs) break;
        Sleep(10);
    }
    std::printf("gone\tms=%lu\n", waitMs);
    return 1;
}

}  // namespace probe
