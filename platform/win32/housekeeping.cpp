// Handles to this process, its working set, and the common-controls library.
#include "platform/win32/run_time_link.h"
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
    // Looked up at run time: the call belongs to the NT family, and the 9x
    // family, which has no working sets to trim, is not documented to export
    // it. There the trim does nothing.
    using SetSizeFunction = BOOL(WINAPI*)(HANDLE, SIZE_T, SIZE_T);
    static const auto setSize = win32::FindFunction<SetSizeFunction>(
        GetModuleHandleA("kernel32.dll"), "SetProcessWorkingSetSize");
    if (setSize == nullptr) return 0;
    // -1 becomes a size with all bits set, the value that asks Windows to empty
    // the working set.
    return setSize(win32::ToNative<HANDLE>(process), static_cast<SIZE_T>(minimum),
                   static_cast<SIZE_T>(maximum));
}

int CloseKernelHandle(Handle handle) {
    return CloseHandle(win32::ToNative<HANDLE>(handle));
}

bool InitializeCommonControls(std::uint32_t size, std::uint32_t classes) {
    // Looked up at run time rather than imported, so that a system without the
    // library or the entry point still runs the program. Loaded once and never
    // freed: the window classes the library registers must keep their window
    // procedures while any control of the process lives. Loaded by its bare
    // name, unlike other system DLLs: only then does the manifest's activation
    // context pick version 6, the one that draws the visual styles.
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto initialize =
        win32::FindFunction<InitFunction>(LoadLibraryA("comctl32.dll"), "InitCommonControlsEx");
    if (initialize == nullptr) return false;
    const INITCOMMONCONTROLSEX record{size, classes};
    initialize(&record);
    return true;
}

}  // namespace platform
