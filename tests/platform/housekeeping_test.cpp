// Initialising the common controls and trimming the working set.
#include "platform/housekeeping.h"

#include <gtest/gtest.h>

#include "platform/sim/sim.h"

namespace {

class HousekeepingTest : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(HousekeepingTest, VisualStylesAskForTheExtendedComboBoxClasses) {
    EXPECT_TRUE(InitVisualStyles());
    ASSERT_EQ(sim::CommonControlsCalls().size(), 1u);
    EXPECT_EQ(sim::CommonControlsCalls()[0].size, 8u);
    EXPECT_EQ(sim::CommonControlsCalls()[0].classes, 0x200u);
}

TEST_F(HousekeepingTest, VisualStylesWithoutTheLibraryReportFalseQuietly) {
    sim::SetCommonControlsMissing(true);
    EXPECT_FALSE(InitVisualStyles());
    EXPECT_TRUE(sim::CommonControlsCalls().empty());
    EXPECT_TRUE(sim::MessageBoxes().empty());
}

TEST_F(HousekeepingTest, EachTrimOpensTrimsAndClosesOnItsOwn) {
    TrimWorkingSet();
    EXPECT_EQ(sim::WorkingSetTrims(), 1);
    EXPECT_EQ(sim::OpenProcessHandleCount(), 0);
    TrimWorkingSet();
    EXPECT_EQ(sim::WorkingSetTrims(), 2);
    EXPECT_EQ(sim::OpenProcessHandleCount(), 0);
}

}  // namespace
