// Base fixture for tests on the simulated platform: a fresh simulated Windows,
// zeroed process state and no tray form.
#pragma once

#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/tray_form.h"
#include "platform/sim/sim.h"

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::Reset();
        ResetGlobals();
        frmSysTray::Destroy();
    }
    void TearDown() override { frmSysTray::Destroy(); }
};
