#include "app/program.h"

#include "app/tray_form.h"
#include "platform/platform.h"

int RunOrbiquell() {
    frmSysTray::Instance().Load();
    const int exitCode = platform::RunMessageLoop();
    frmSysTray::Destroy();
    return exitCode;
}
