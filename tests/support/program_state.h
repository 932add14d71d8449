// Where every run of the program on the simulated Windows starts: a fresh
// simulated Windows, zeroed process state and neither form. For the unit tests'
// fixture and the fuzz target alike.
#pragma once

#include "app/sleeper.h"
#include "app/tray_form.h"
#include "common/globals.h"
#include "platform/sim/sim.h"
#include "ui/main_window/frm_main.h"

inline void DestroyForms() {
    frmMain::Destroy();
    frmSysTray::Destroy();
}

inline void ResetProgramState() {
    DestroyForms();
    sim::Reset();
    ResetGlobals();
    mHotCorners = {};
}
