// The simulated message loop: it lets time pass until the program quits.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/widgets.h"

namespace {

class SimMessageLoop : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimMessageLoop, RunsTimersUntilOneQuits) {
    int ticks = 0;
    platform::Timer timer(400, [&] {
        if (++ticks == 3) {
            platform::Quit(7);
        }
    });
    EXPECT_EQ(platform::RunMessageLoop(), 7);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(platform::QuitRequested());
    EXPECT_GE(platform::TickCount(), 1200u);
    EXPECT_LT(platform::TickCount(), 1600u);
}

TEST_F(SimMessageLoop, EarlierQuitReturnsAtOnceWithTheLastCode) {
    platform::Quit(1);
    platform::Quit(2);
    EXPECT_EQ(platform::RunMessageLoop(), 2);
    EXPECT_EQ(sim::QuitCode(), 2);
    EXPECT_EQ(platform::TickCount(), 0u);
}

TEST_F(SimMessageLoop, GivesUpInsteadOfHangingWhenNothingQuits) {
    EXPECT_THROW(platform::RunMessageLoop(), std::runtime_error);
    EXPECT_FALSE(platform::QuitRequested());
}

}  // namespace
