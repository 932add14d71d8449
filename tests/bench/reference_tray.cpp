// The least a tray program with Orbiquell's tick can do: the yardstick that
// tools/bench-tray measures Orbiquell.exe against.
//
// It adds one icon from its resources at start-up and then, every 400 ms, makes
// only the calls such a tick cannot do without: the byte counters of the
// network interfaces (GetIfTable, sizing call and table), the cursor position
// for the hot corners, a new tip with the uptime and the icon image. It keeps
// nothing else: no settings, no menu, no main window, no error handling beyond
// not crashing. Whatever Orbiquell spends on top of this is its own overhead.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// iphlpapi.h needs windows.h before it.
#include <iphlpapi.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "reference_tray_ids.h"

namespace {

constexpr UINT kTickMs = 400;
constexpr UINT kIconId = 1;
constexpr UINT kTimerId = 1;

HICON gIcon = nullptr;
char gComputerName[MAX_COMPUTERNAME_LENGTH + 1] = {};

NOTIFYICONDATAA Record(HWND window, UINT flags) {
    NOTIFYICONDATAA record{};
    // The first shell interface's record, as Orbiquell passes it.
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kIconId;
    record.uFlags = flags;
    return record;
}

void Tick(HWND window) {
    // The network counters: how big the table is, then the table, summed.
    ULONG size = 0;
    if (GetIfTable(nullptr, &size, FALSE) != ERROR_NOT_SUPPORTED) {
        std::vector<unsigned char> buffer(size ? size : sizeof(MIB_IFTABLE));
        size = static_cast<ULONG>(buffer.size());
        auto* table = reinterpret_cast<MIB_IFTABLE*>(buffer.data());
        if (GetIfTable(table, &size, FALSE) == NO_ERROR) {
            volatile DWORD received = 0;
            volatile DWORD sent = 0;
            for (DWORD i = 0; i < table->dwNumEntries; ++i) {
                received = received + table->table[i].dwInOctets;
                sent = sent + table->table[i].dwOutOctets;
            }
        }
    }

    // The hot corners' one question.
    POINT cursor{};
    GetCursorPos(&cursor);

    // The tip: "<name> up for <d> days, h:mm:ss".
    const ULONGLONG seconds = GetTickCount64() / 1000;
    NOTIFYICONDATAA tip = Record(window, NIF_TIP);
    const unsigned long long days = seconds / 86400;
    std::snprintf(tip.szTip, 64, "%s up for %llu %s, %llu:%02llu:%02llu", gComputerName, days,
                  days == 1 ? "day" : "days", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    Shell_NotifyIconA(NIM_MODIFY, &tip);

    // The image, sent every tick as Orbiquell does.
    NOTIFYICONDATAA image = Record(window, NIF_ICON);
    image.hIcon = gIcon;
    Shell_NotifyIconA(NIM_MODIFY, &image);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimerId) Tick(window);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY: {
            NOTIFYICONDATAA record = Record(window, 0);
            Shell_NotifyIconA(NIM_DELETE, &record);
            PostQuitMessage(0);
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DWORD nameSize = sizeof gComputerName;
    GetComputerNameA(gComputerName, &nameSize);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "OrbiquellReference.HiddenWindow";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Orbiquell reference tray", 0, 0, 0,
                                  0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    // At the small-icon size the notification area shows, as Orbiquell loads its
    // images.
    gIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_REFERENCE_TRAY),
                                          IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0));
    NOTIFYICONDATAA add = Record(window, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    add.uCallbackMessage = WM_APP;
    add.hIcon = gIcon;
    std::snprintf(add.szTip, 64, "%s reference", gComputerName);
    Shell_NotifyIconA(NIM_ADD, &add);

    SetTimer(window, kTimerId, kTickMs, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
