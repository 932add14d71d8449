// Base fixture for tests on the simulated platform: a fresh simulated Windows,
// zeroed process state and neither form.
#pragma once

#include <gtest/gtest.h>

#include "app/tray_form.h"
#include "common/globals.h"
#include "platform/sim/sim.h"
#include "ui/main_window/frm_main.h"

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DestroyForms();
        sim::Reset();
        ResetGlobals();
    }
    void TearDown() override { DestroyForms(); }

    static void DestroyForms() {
        frmMain::Destroy();
        frmSysTray::Destroy();
    }
};
