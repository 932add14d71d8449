#include "platform/win32/program_window.h"

#include <system_error>

namespace platform::win32 {

void ThrowLastError(const char* call) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), call);
}

void RegisterProgramClass(const WindowParams& params) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA registered{};
    if (GetClassInfoExA(instance, params.className, &registered)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = params.procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = params.background;
    windowClass.lpszClassName = params.className;
    if (!RegisterClassExA(&windowClass)) ThrowLastError("RegisterClassExA");
}

void WindowDestroyer::operator()(HWND window) const noexcept {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

UniqueWindow CreateProgramWindow(const WindowParams& params, void* widget) {
    RegisterProgramClass(params);
    UniqueWindow window(CreateWindowExA(params.exStyle, params.className, params.caption,
                                        params.style, 0, 0, 0, 0, params.parent, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    if (!window) ThrowLastError("CreateWindowExA");
    SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(widget));
    return window;
}

}  // namespace platform::win32
