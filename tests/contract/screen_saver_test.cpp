// The system's screen-saver-active flag.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace contract {
namespace {

class ScreenSaverFlag : public ::testing::Test {
  protected:
    // Whatever a test did, the machine is left with its screen saver active.
    void TearDown() override { platform::SetScreenSaverActiveFlag(true, true); }
};

TEST_F(ScreenSaverFlag, SetThenReadBackInBothForms) {
    for (const bool persist : {true, false}) {
        SCOPED_TRACE(persist);
        platform::SetScreenSaverActiveFlag(false, persist);
        EXPECT_FALSE(platform::ScreenSaverActiveFlag());
        platform::SetScreenSaverActiveFlag(true, persist);
        EXPECT_TRUE(platform::ScreenSaverActiveFlag());
    }
}

}  // namespace
}  // namespace contract
