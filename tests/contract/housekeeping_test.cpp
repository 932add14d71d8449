// Handles to the own process, trimming its working set, and the common-controls
// library.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace contract {
namespace {

constexpr std::uint32_t kProcessAllAccess = 0x1F0FFF;
constexpr std::uint32_t kIdleProcessId = 0;

TEST(OwnProcess, OpensTrimsAndCloses) {
    const std::uint32_t id = platform::CurrentProcessId();
    EXPECT_NE(id, kIdleProcessId);
    for (int round = 0; round < 2; ++round) {
        const platform::Handle process = platform::OpenProcessHandle(kProcessAllAccess, false, id);
        ASSERT_NE(process, 0u) << "round " << round;
        EXPECT_NE(platform::SetWorkingSetSize(process, -1, -1), 0);
        EXPECT_NE(platform::CloseKernelHandle(process), 0);
        EXPECT_EQ(platform::CloseKernelHandle(process), 0) << "a handle closes once";
    }
}

TEST(OwnProcess, TheIdleProcessCannotBeOpened) {
    EXPECT_EQ(platform::OpenProcessHandle(kProcessAllAccess, false, kIdleProcessId), 0u);
}

TEST(CommonControls, ExtendedComboBoxClassesInitialise) {
    constexpr std::uint32_t kRecordSize = 8;
    constexpr std::uint32_t kIccUserExClasses = 0x200;
    EXPECT_TRUE(platform::InitializeCommonControls(kRecordSize, kIccUserExClasses));
}

}  // namespace
}  // namespace contract
