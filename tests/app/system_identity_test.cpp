#include <gtest/gtest.h>

#include "../support/sim_test.h"
#include "app/os_version.h"
#include "app/pc_name.h"

namespace {

class SystemIdentityTest : public SimTest {};

platform::OsVersion Version(std::uint32_t platformId, std::uint32_t major) {
    platform::OsVersion v;
    v.platformId = platformId;
    v.majorVersion = major;
    return v;
}

TEST_F(SystemIdentityTest, Win2kOrLaterFromPlatformAndMajorVersion) {
    const struct {
        std::uint32_t platformId, major;
        bool win2k;
    } cases[] = {{2, 4, false}, {2, 5, true},  {2, 10, true}, {1, 4, false},
                 {1, 5, false}, {0, 9, false}, {3, 1, true}};
    for (const auto& c : cases) {
        ResetGlobals();
        sim::SetOsVersion(Version(c.platformId, c.major));
        GetOSVersion();
        EXPECT_EQ(gPlatformId, static_cast<std::int32_t>(c.platformId));
        EXPECT_EQ(gIsWin2kOrLater, c.win2k) << c.platformId << "." << c.major;
    }
}

TEST_F(SystemIdentityTest, FailedVersionQueryLeavesZeroAndFalse) {
    sim::SetOsVersion(std::nullopt);
    GetOSVersion();
    EXPECT_EQ(gPlatformId, 0);
    EXPECT_FALSE(gIsWin2kOrLater);
}

TEST_F(SystemIdentityTest, ComputerName) {
    sim::SetComputerName("WS7");
    EXPECT_EQ(GetPCName(), "WS7");
    sim::SetComputerName(std::string(15, 'N'));
    EXPECT_EQ(GetPCName(), std::string(15, 'N'));
    sim::SetComputerName(std::nullopt);
    EXPECT_EQ(GetPCName(), "");
    // A system whose reported length counts the terminating NUL.
    sim::SetComputerName(std::string("WS7\0", 4));
    EXPECT_EQ(GetPCName(), "WS7");
}

}  // namespace
