// A file some other program holds open without sharing: one a setup cannot
// replace. With a window class, the holder is a hung program too: a hidden
// window of that class that never reads its messages.
#include "commands.h"
#include "window_access.h"

#include <cstdio>

namespace probe {

int CommandHoldFile(const char* path, const wchar_t* hungClass) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("error\tcannot open %s: %lu\n", path, GetLastError());
        return 1;
    }
    if (hungClass) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = hungClass;
        if (!RegisterClassW(&windowClass) ||
            !CreateWindowExW(0, hungClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             windowClass.hInstance, nullptr)) {
            std::printf("error\tcannot create a window: %lu\n", GetLastError());
            return 1;
        }
    }
    std::printf("held\tfile=%s\n", path);
    std::fflush(stdout);
    // Until the test ends the process; no message is ever read.
    Sleep(INFINITE);
    return 0;
}

}  // namespace probe
