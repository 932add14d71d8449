// The simulated screen and cursor.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {

class SimScreen : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimScreen, ScreenSizeIsSetAndReset) {
    EXPECT_EQ(platform::SystemMetric(platform::kSmCxScreen), 1024);
    EXPECT_EQ(platform::SystemMetric(platform::kSmCyScreen), 768);
    sim::SetScreenSize(1600, 1200);
    EXPECT_EQ(platform::SystemMetric(platform::kSmCxScreen), 1600);
    EXPECT_EQ(platform::SystemMetric(platform::kSmCyScreen), 1200);
    // Any other metric is unknown to the simulation, and 0 as for Windows.
    EXPECT_EQ(platform::SystemMetric(49), 0);
    sim::Reset();
    EXPECT_EQ(platform::SystemMetric(platform::kSmCxScreen), 1024);
}

TEST_F(SimScreen, CursorIsWhereItWasPut) {
    std::int32_t x = -1;
    std::int32_t y = -1;
    ASSERT_EQ(platform::CursorPosition(&x, &y), 1);
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 384);
    // A screen left of or above the primary one has negative coordinates.
    sim::SetCursor(-5, 1200);
    ASSERT_EQ(platform::CursorPosition(&x, &y), 1);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 1200);
}

TEST_F(SimScreen, FailedCursorReadLeavesThePosition) {
    sim::SetCursor(0, 767);
    sim::SetCursorFails(true);
    std::int32_t x = 77;
    std::int32_t y = 88;
    EXPECT_EQ(platform::CursorPosition(&x, &y), 0);
    EXPECT_EQ(x, 77);
    EXPECT_EQ(y, 88);
    sim::SetCursorFails(false);
    EXPECT_EQ(platform::CursorPosition(&x, &y), 1);
    EXPECT_EQ(y, 767);
}

}  // namespace
