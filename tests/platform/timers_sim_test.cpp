// Timers of the simulated Windows: when they fire, and how enabling,
// disabling and destroying them from handlers plays out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/widgets.h"

namespace {

using ::testing::ElementsAre;

class SimTimers : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }

    // A handler that notes its name and the tick count it fired at.
    std::function<void()> Note(const std::string& name) {
        return
            [this, name] { fired_.push_back(name + "@" + std::to_string(platform::TickCount())); };
    }

    std::vector<std::string> fired_;
};

TEST_F(SimTimers, FireInOrderOfDueTimeOldestFirstOnATie) {
    platform::Timer a(300, Note("a"));
    platform::Timer b(400, Note("b"));
    sim::AdvanceTime(1200);
    EXPECT_THAT(fired_,
                ElementsAre("a@300", "b@400", "a@600", "b@800", "a@900", "a@1200", "b@1200"));
    EXPECT_EQ(platform::TickCount(), 1200u);
}

TEST_F(SimTimers, DueTimesCarryOverBetweenAdvances) {
    platform::Timer timer(400, Note("t"));
    for (int i = 0; i < 8; ++i) {
        sim::AdvanceTime(100);
    }
    EXPECT_THAT(fired_, ElementsAre("t@400", "t@800"));
}

TEST_F(SimTimers, DisabledTimerIsSilentAndReEnablingStartsAFreshInterval) {
    platform::Timer timer(400, Note("t"));
    sim::AdvanceTime(300);
    timer.setEnabled(false);
    EXPECT_FALSE(timer.enabled());
    sim::AdvanceTime(500);
    EXPECT_TRUE(fired_.empty());

    timer.setEnabled(true);  // at 800
    sim::AdvanceTime(399);
    EXPECT_TRUE(fired_.empty());
    sim::AdvanceTime(1);
    EXPECT_THAT(fired_, ElementsAre("t@1200"));

    // Enabling an enabled timer does not restart it.
    sim::AdvanceTime(200);
    timer.setEnabled(true);
    sim::AdvanceTime(200);
    EXPECT_THAT(fired_, ElementsAre("t@1200", "t@1600"));
}

TEST_F(SimTimers, HandlerMayDestroyItsOwnTimer) {
    std::unique_ptr<platform::Timer> doomed;
    int doomedFired = 0;
    doomed = std::make_unique<platform::Timer>(100, [&] {
        ++doomedFired;
        doomed.reset();
    });
    platform::Timer other(100, Note("other"));
    EXPECT_EQ(sim::LiveTimerCount(), 2);

    sim::AdvanceTime(300);
    EXPECT_EQ(doomedFired, 1);
    EXPECT_EQ(sim::LiveTimerCount(), 1);
    EXPECT_THAT(fired_, ElementsAre("other@100", "other@200", "other@300"));
}

TEST_F(SimTimers, TimerCreatedByAHandlerRunsWithinTheSameAdvance) {
    std::unique_ptr<platform::Timer> late;
    platform::Timer starter(100, [&] {
        if (!late) {
            late = std::make_unique<platform::Timer>(50, Note("late"));
        }
    });
    sim::AdvanceTime(200);
    EXPECT_THAT(fired_, ElementsAre("late@150", "late@200"));
}

TEST_F(SimTimers, ZeroIntervalIsRaisedToTheSystemMinimum) {
    platform::Timer timer(0, Note("t"));
    sim::AdvanceTime(30);
    EXPECT_THAT(fired_, ElementsAre("t@10", "t@20", "t@30"));
}

TEST_F(SimTimers, LiveCountIncludesDisabledTimers) {
    {
        platform::Timer enabled(400, nullptr);
        platform::Timer disabled(400, nullptr);
        disabled.setEnabled(false);
        EXPECT_EQ(sim::LiveTimerCount(), 2);
    }
    EXPECT_EQ(sim::LiveTimerCount(), 0);
}

}  // namespace
