// The simulated process handles: what Windows enforces but the program never
// meets on a healthy system.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {

constexpr std::uint32_t kProcessSetQuota = 0x0100;
constexpr std::uint32_t kProcessQueryInformation = 0x0400;

class SimHousekeeping : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimHousekeeping, TrimNeedsTheSetQuotaRight) {
    const std::uint32_t self = platform::CurrentProcessId();
    const platform::Handle lookOnly =
        platform::OpenProcessHandle(kProcessQueryInformation, false, self);
    ASSERT_NE(lookOnly, 0u);
    EXPECT_EQ(platform::SetWorkingSetSize(lookOnly, -1, -1), 0);
    const platform::Handle quota = platform::OpenProcessHandle(kProcessSetQuota, false, self);
    EXPECT_EQ(platform::SetWorkingSetSize(quota, -1, -1), 1);
    EXPECT_EQ(sim::WorkingSetTrims(), 1);
    EXPECT_EQ(sim::OpenProcessHandleCount(), 2);
    EXPECT_EQ(platform::CloseKernelHandle(lookOnly), 1);
    EXPECT_EQ(platform::CloseKernelHandle(quota), 1);
    EXPECT_EQ(sim::OpenProcessHandleCount(), 0);
}

TEST_F(SimHousekeeping, TrimNeedsAnOpenHandle) {
    const platform::Handle process =
        platform::OpenProcessHandle(kProcessSetQuota, false, platform::CurrentProcessId());
    ASSERT_EQ(platform::CloseKernelHandle(process), 1);
    EXPECT_EQ(platform::SetWorkingSetSize(process, -1, -1), 0);
    EXPECT_EQ(platform::SetWorkingSetSize(0, -1, -1), 0);
    EXPECT_EQ(platform::CloseKernelHandle(0), 0);
    EXPECT_EQ(sim::WorkingSetTrims(), 0);
}

}  // namespace
