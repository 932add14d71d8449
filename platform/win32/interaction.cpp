// Message boxes and the screen saver.
#include "platform/win32/native.h"

namespace platform {

int ShowMessageBox(Handle owner, const std::string& prompt, std::uint32_t style,
                   const std::string& title) {
    return MessageBoxA(win32::ToNative<HWND>(owner), prompt.c_str(), title.c_str(), style);
}

void StartScreenSaver(Handle window) {
    // The window's default handling of the command starts the screen saver,
    // or not, as the system's settings say; the answer tells nothing.
    SendMessageA(win32::ToNative<HWND>(window), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

bool ScreenSaverActiveFlag() {
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active == TRUE;
}

bool ScreenSaverRunning() {
    // NT 4.0 and 95 do not know the query and leave the answer FALSE.
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running == TRUE;
}

void SetScreenSaverActiveFlag(bool active, bool persist) {
    if (persist) {
        // Windows 95 writes through the pointer, so the NT form passes one.
        UINT unused = 0;
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, &unused,
                              SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    } else {
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, 0);
    }
}

}  // namespace platform
