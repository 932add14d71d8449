// Message boxes, the screen-saver flag and the machine identity as a test
// configures them, including the failures real Windows can produce.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {


class SimMessages : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimMessages, MessageBoxesAreRecordedAndAnsweredWithOk) {
    EXPECT_EQ(platform::ShowMessageBox(0, "one", platform::kMbIconExclamation, "Orbiquell"),
              platform::kIdOk);
    EXPECT_EQ(platform::ShowMessageBox(0, "two", 0, "t"), platform::kIdOk);
    ASSERT_EQ(sim::MessageBoxes().size(), 2u);
    EXPECT_EQ(sim::MessageBoxes()[0].prompt, "one");
    EXPECT_EQ(sim::MessageBoxes()[0].style, 48u);
    EXPECT_EQ(sim::MessageBoxes()[0].title, "Orbiquell");
}

TEST_F(SimMessages, FailingIdentityQueriesLeaveTheirOutputsAlone) {
    sim::SetOsVersion(std::nullopt);
    platform::OsVersion version{9, 9, 9, 9};
    EXPECT_FALSE(platform::QueryOsVersion(&version));
    EXPECT_EQ(version.platformId, 9u);

    sim::SetComputerName(std::nullopt);
    char buffer[256];
    std::memset(buffer, 'Z', sizeof buffer);
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(platform::QueryComputerName(buffer, &size), 0);
    EXPECT_EQ(buffer[0], 'Z');
}

TEST_F(SimMessages, ResetRestoresTheDocumentedMachine) {
    sim::SetOsVersion(std::nullopt);
    sim::SetComputerName("OTHER");
    sim::SetPreviousInstance(true);
    sim::SetCommandLine("-POPUP");
    sim::SetScreenSaverActive(false);
    sim::SetScreenSaverFlagFails(true);
    platform::ShowMessageBox(0, "p", 0, "t");

    sim::Reset();
    platform::OsVersion version;
    ASSERT_TRUE(platform::QueryOsVersion(&version));
    EXPECT_EQ(version.majorVersion, 5u);
    EXPECT_EQ(version.minorVersion, 1u);
    EXPECT_EQ(version.platformId, 2u);
    char name[256];
    std::uint32_t size = sizeof name;
    ASSERT_EQ(platform::QueryComputerName(name, &size), 1);
    EXPECT_STREQ(name, "SIMPC");
    EXPECT_FALSE(platform::IsPreviousInstanceRunning());
    EXPECT_EQ(platform::CommandLineArguments(), "");
    EXPECT_TRUE(platform::ScreenSaverActiveFlag());
    EXPECT_EQ(platform::ShowMessageBox(0, "p", 0, "t"), platform::kIdOk);
    EXPECT_EQ(sim::MessageBoxes().size(), 1u);
}

}  // namespace
