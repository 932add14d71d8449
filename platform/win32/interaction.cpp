// Message boxes, window messages and system parameters.
#include "platform/win32/native.h"

namespace platform {

int ShowMessageBox(Handle owner, const std::string& prompt, std::uint32_t style,
                   const std::string& title) {
    return MessageBoxA(win32::ToNative<HWND>(owner), prompt.c_str(), title.c_str(), style);
}

std::intptr_t SendWindowMessage(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    return SendMessageA(win32::ToNative<HWND>(window), message, wParam, lParam);
}

int SystemParameters(std::uint32_t action, std::uint32_t uiParam, std::uint32_t* pvParam,
                     std::uint32_t winIni) {
    return SystemParametersInfoA(action, uiParam, pvParam, winIni);
}

}  // namespace platform
