#include "app/program.h"

#include "app/tray_form.h"
#include "platform/platform.h"
#include "ui/main_window/frm_main.h"

int RunOrbiquell() {
    frmSysTray::Instance().Load();
    const int exitCode = platform::RunMessageLoop();
    frmMain::Destroy();
    frmSysTray::Destroy();
    return exitCode;
}
