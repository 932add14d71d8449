// A fixture for the main window on the simulated platform.
#pragma once

#include "../../support/sim_test.h"
#include "ui/main_window/frm_main.h"
#include "ui/main_window/main_window_controls.h"

class MainWindowTest : public SimTest {
  protected:
    static frmMain& Main() { return frmMain::Instance(); }
    static frmMain::Controls& C() { return frmMain::Instance().controls(); }
    // Opens the window as the tray menu's Restore item does.
    static frmMain::Controls& Open() {
        Main().Show();
        return C();
    }
    static bool Showing(const platform::Control& control) {
        return sim::IsShowing(control.handle());
    }
    static bool Showing(const platform::Form& form) { return sim::IsShowing(form.handle()); }
};
