#include "app/program.h"

#include <cstdlib>

#include "app/tray_form.h"
#include "platform/platform.h"
#include "ui/main_window/frm_main.h"

int RunOrbiquell() noexcept {
    int exitCode = EXIT_FAILURE;
    try {
        frmSysTray::Instance().Load();
        exitCode = platform::RunMessageLoop();
    } catch (...) {
        // Whatever escaped start-up or a handler (a window Windows would not
        // create, an allocation that failed) ends the program, but through
        // the same shutdown steps as every other way out.
    }
    // Otherwise a screen saver that the bottom-right corner switched off would
    // stay off, in the user's profile on the NT family, and the icon would
    // stay until the mouse passes over it. After the tray menu's exit there is
    // nothing left to do here.
    UnloadForms();
    frmMain::Destroy();
    frmSysTray::Destroy();
    return exitCode;
}
