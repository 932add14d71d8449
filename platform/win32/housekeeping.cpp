// Handles to this process, its working set, and the common-controls library.
#include "platform/win32/native.h"
// commctrl.h needs windows.h before it.
#include <commctrl.h>

namespace platform {

std::uint32_t CurrentProcessId() {
    return GetCurrentProcessId();
}

Handle OpenProcessHandle(std::uint32_t access, bool inherit, std::uint32_t processId) {
    return win32::ToHandle(OpenProcess(access, inherit ? TRUE : FALSE, processId));
}

int SetWorkingSetSize(Handle process, std::intptr_t minimum, std::intptr_t maximum) {
    // -1 becomes a size with all bits set, the value that asks Windows to empty
    // the working set.
    return SetProcessWorkingSetSize(win32::ToNative<HANDLE>(process), static_cast<SIZE_T>(minimum),
                                    static_cast<SIZE_T>(maximum));
}

int CloseKernelHandle(Handle handle) {
    return CloseHandle(win32::ToNative<HANDLE>(handle));
}

bool InitializeCommonControls(std::uint32_t size, std::uint32_t classes) {
    // Looked up at run time rather than imported, so that a system without the
    // library or the entry point still runs the program. Loaded once and never
    // freed: the window classes the library registers must keep their window
    // procedures while any control of the process lives, and a load per call
    // would only pile up references.
    static const HMODULE library = LoadLibraryA("comctl32.dll");
    if (library == nullptr) return false;
    // Through void (*)(), the one function pointer type that converts to any
    // other without a warning.
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initialize = reinterpret_cast<InitFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControlsEx")));
    if (initialize == nullptr) return false;
    const INITCOMMONCONTROLSEX record{size, classes};
    initialize(&record);
    return true;
}

}  // namespace platform
