// The windows behind the widgets: creation with a class private to the program,
// ownership, and the call from a window procedure into the program's handlers.
#pragma once

#include <cstdlib>
#include <functional>
#include <memory>
#include <type_traits>

#include "platform/win32/native.h"

namespace platform::win32 {

// Detaches the window from its widget before destroying it, so that the
// messages of its destruction find no widget to call.
struct WindowDestroyer {
    void operator()(HWND window) const noexcept;
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct WindowParams {
    const char* className = nullptr;
    WNDPROC procedure = nullptr;
    DWORD exStyle = 0;
    DWORD style = 0;
    HWND parent = nullptr;
    const char* caption = "";
    // The class's background, taken when the class is registered; null leaves
    // the painting of the background to the window procedure.
    HBRUSH background = nullptr;
};

// Throws std::system_error with GetLastError for the named call.
[[noreturn]] void ThrowLastError(const char* call);

// Registers the class of params the first time it is asked for.
void RegisterProgramClass(const WindowParams& params);

// Registers the class on its first use, creates the window (never shown) and
// makes widget the window's user data, where its procedure finds it with
// WidgetOf. Throws std::system_error when Windows refuses.
UniqueWindow CreateProgramWindow(const WindowParams& params, void* widget);

template <typename Widget>
Widget* WidgetOf(HWND window) {
    return reinterpret_cast<Widget*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Runs one of the program's handlers from a window procedure. Windows' own
// frames lie between the procedure and the message loop and cannot be unwound
// through, so nothing may leave here. A handler that throws has left the
// program in a state nobody knows, so the message loop ends, and the program
// with it, as an unhandled run-time error would end it; the program's own
// shutdown steps still run once the loop has returned. Once the program has
// been told to end, no handler runs at all.
template <typename... Args>
void CallHandler(const std::function<void(Args...)>& handler,
                 std::type_identity_t<Args>... args) noexcept {
    if (QuitRequested()) return;
    try {
        // A copy: the handler may destroy the widget that holds it.
        const std::function<void(Args...)> call = handler;
        if (call) call(args...);
    } catch (...) {
        Quit(EXIT_FAILURE);
    }
}

}  // namespace platform::win32
