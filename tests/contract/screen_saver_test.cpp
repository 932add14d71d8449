// The system's screen-saver-active flag through SystemParametersInfoA.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace contract {
namespace {

constexpr std::uint32_t kSpiGetScreenSaveActive = 16;
constexpr std::uint32_t kSpiSetScreenSaveActive = 17;
// SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE, as the program passes on NT.
constexpr std::uint32_t kUpdateAndBroadcast = 3;

std::uint32_t ReadFlag() {
    std::uint32_t active = 77;
    EXPECT_NE(platform::SystemParameters(kSpiGetScreenSaveActive, 0, &active, 0), 0);
    return active;
}

int SetFlag(std::uint32_t active) {
    std::uint32_t zero = 0;
    return platform::SystemParameters(kSpiSetScreenSaveActive, active, &zero, kUpdateAndBroadcast);
}

class ScreenSaverFlag : public ::testing::Test {
  protected:
    // Whatever a test did, the machine is left with its screen saver active.
    void TearDown() override { EXPECT_NE(SetFlag(1), 0); }
};

TEST_F(ScreenSaverFlag, SetThenReadBack) {
    EXPECT_NE(SetFlag(0), 0);
    EXPECT_EQ(ReadFlag(), 0u);
    EXPECT_NE(SetFlag(1), 0);
    EXPECT_EQ(ReadFlag(), 1u);
}

TEST_F(ScreenSaverFlag, AnyNonzeroValueMeansActive) {
    EXPECT_NE(SetFlag(0), 0);
    EXPECT_NE(platform::SystemParameters(kSpiSetScreenSaveActive, 5, nullptr, 0), 0);
    EXPECT_EQ(ReadFlag(), 1u);
}

TEST_F(ScreenSaverFlag, ReadingNeedsSomewhereToPutTheFlag) {
    EXPECT_EQ(platform::SystemParameters(kSpiGetScreenSaveActive, 0, nullptr, 0), 0);
}

}  // namespace
}  // namespace contract
