#include "platform/win32/program_window.h"

#include <system_error>

namespace platform::win32 {

namespace {

[[noreturn]] void ThrowLastError(const char* call) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), call);
}

void RegisterClassOnce(const WindowParams& params, HINSTANCE instance) {
    WNDCLASSEXA registered{};
    if (GetClassInfoExA(instance, params.className, &registered)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = params.procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = params.className;
    if (!RegisterClassExA(&windowClass)) ThrowLastError("RegisterClassExA");
}

}  // namespace

void WindowDestroyer::operator()(HWND window) const noexcept {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

UniqueWindow CreateProgramWindow(const WindowParams& params, void* widget) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterClassOnce(params, instance);
    UniqueWindow window(CreateWindowExA(params.exStyle, params.className, params.caption,
                                        params.style, 0, 0, 0, 0, params.parent, nullptr, instance,
                                        nullptr));
    if (!window) ThrowLastError("CreateWindowExA");
    SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(widget));
    return window;
}

}  // namespace platform::win32
