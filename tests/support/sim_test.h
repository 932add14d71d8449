// Base fixture for tests on the simulated platform: a fresh simulated Windows,
// zeroed process state and neither form.
#pragma once

#include <gtest/gtest.h>

#include "program_state.h"

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { DestroyForms(); }
};
