// The thread's message loop.
#include <cstdlib>

#include "platform/win32/keyboard_forms.h"
#include "platform/win32/menu_mode.h"
#include "platform/win32/native.h"

namespace platform {

namespace {

void Deliver(MSG& message) {
    // The dialog keys of the program's forms; IsDialogMessage delivers what it
    // takes itself.
    if (win32::RouteToKeyboardForm(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

int RunMessageLoop() {
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) return static_cast<int>(message.wParam);
        // -1 means the call itself failed (it cannot with these arguments);
        // there is no message to deliver then.
        if (result == -1) return EXIT_FAILURE;
        Deliver(message);
    }
}

void PumpMessages() {
    // A tick that fires while the tray menu is open runs inside the menu's
    // loop; taking the menu's mouse and keyboard messages from the queue here
    // would hand them to the menu window, which ignores them, and the user's
    // choice would be lost. The menu's loop handles everything meanwhile.
    if (win32::InMenu()) return;
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The quit request belongs to the outer loop, which must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Deliver(message);
    }
}

void Quit(int exitCode) {
    PostQuitMessage(exitCode);
}

}  // namespace platform
