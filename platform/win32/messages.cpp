// The thread's message loop.
#include <cstdlib>
#include <optional>

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

// The exit code the program asked to quit with, once it has. A modal loop that
// runs meanwhile may take WM_QUIT off the queue and not post it again: Wine's
// popup menu does, so a WM_CLOSE that arrived while the tray menu was open
// would end the program's windows but not its loop.
std::optional<int> quitRequest;

}  // namespace

int RunMessageLoop() {
    MSG message{};
    while (!quitRequest) {
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) return static_cast<int>(message.wParam);
        // -1 means the call itself failed (it cannot with these arguments);
        // there is no message to deliver then.
        if (result == -1) return EXIT_FAILURE;
        Deliver(message);
    }
    return *quitRequest;
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
    quitRequest = exitCode;
    // Wakes the loop, should it be waiting for a message.
    PostQuitMessage(exitCode);
}

bool QuitRequested() {
    return quitRequest.has_value();
}

}  // namespace platform
