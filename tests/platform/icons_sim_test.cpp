// Icons for resources the program lacks.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/widgets.h"

namespace {

class SimIcons : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimIcons, MissingIconResourceLoadsNoIcon) {
    sim::SetIconResourceMissing(102, true);
    {
        const platform::IconImage missing(102, 16);
        const platform::IconImage present(101, 16);
        EXPECT_EQ(missing.handle(), 0u);
        EXPECT_NE(present.handle(), 0u);
        EXPECT_EQ(sim::LiveIconCount(), 1);
    }
    EXPECT_EQ(sim::LiveIconCount(), 0);
    sim::SetIconResourceMissing(102, false);
    const platform::IconImage restored(102, 16);
    EXPECT_NE(restored.handle(), 0u);
}

}  // namespace
