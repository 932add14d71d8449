// The network activity flags from the interfaces' totals, tick by tick.
#include "monitors/ip_helper.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "platform/sim/sim.h"

namespace {

class IpHelperTest : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }

    // One tick with the totals as given.
    void UpdateWith(std::int32_t received, std::int32_t sent) {
        sim::SetInterfaceTotals(platform::InterfaceTotals{received, sent});
        helper_.Update();
    }
    void ExpectFlags(bool rx, bool tx) const {
        EXPECT_EQ(helper_.bRX, rx);
        EXPECT_EQ(helper_.bTX, tx);
    }

    CIpHelper helper_;
};

TEST_F(IpHelperTest, FlagsFollowWhichTotalRose) {
    struct Case {
        std::string name;
        std::int32_t received;
        std::int32_t sent;
        bool rx;
        bool tx;
    };
    for (const Case& c : {Case{"none", 100, 200, false, false}, Case{"rx", 101, 200, true, false},
                          Case{"tx", 100, 201, false, true}, Case{"rxtx", 150, 250, true, true}}) {
        SCOPED_TRACE(c.name);
        CIpHelper helper;
        sim::SetInterfaceTotals(platform::InterfaceTotals{100, 200});
        helper.Update();
        sim::SetInterfaceTotals(platform::InterfaceTotals{c.received, c.sent});
        helper.Update();
        EXPECT_EQ(helper.bRX, c.rx);
        EXPECT_EQ(helper.bTX, c.tx);
        EXPECT_EQ(helper.BytesReceived(), c.received);
        EXPECT_EQ(helper.BytesSent(), c.sent);
    }
}

TEST_F(IpHelperTest, EachUpdateReadsTheTotalsOnce) {
    helper_.Update();
    helper_.Update();
    EXPECT_EQ(sim::InterfaceTableReads(), 2);
}

TEST_F(IpHelperTest, FirstUpdateOnlyRemembersTheTotals) {
    helper_.bRX = true;
    UpdateWith(100, 200);
    ExpectFlags(true, false);
    EXPECT_EQ(helper_.BytesReceived(), 100);
    EXPECT_EQ(helper_.BytesSent(), 200);

    // The second one compares against them.
    UpdateWith(100, 200);
    ExpectFlags(false, false);
}

TEST_F(IpHelperTest, NothingEverSentMeansNothingIsEverCompared) {
    helper_.bTX = true;
    for (std::int32_t received : {100, 200, 300, 400}) {
        UpdateWith(received, 0);
        ExpectFlags(false, true);
    }
}

TEST_F(IpHelperTest, TotalsThatFallAreNoActivity) {
    UpdateWith(400, 600);
    UpdateWith(450, 650);
    ExpectFlags(true, true);
    // A counter reset, or an interface gone with its share of the totals.
    UpdateWith(300, 650);
    ExpectFlags(false, false);
    UpdateWith(5, 260);
    ExpectFlags(false, false);
    UpdateWith(6, 261);
    ExpectFlags(true, true);
}

TEST_F(IpHelperTest, NoInterfaceTableLeavesFlagsAndPreviousTotals) {
    UpdateWith(100, 200);
    UpdateWith(150, 250);
    ExpectFlags(true, true);

    sim::SetInterfaceTotals(std::nullopt);
    helper_.Update();
    ExpectFlags(true, true);
    EXPECT_EQ(helper_.BytesReceived(), 0);
    EXPECT_EQ(helper_.BytesSent(), 0);

    // The next read compares with the totals from before the refusal.
    UpdateWith(150, 260);
    ExpectFlags(false, true);
}

TEST_F(IpHelperTest, AnUnreadableTableCountsAsARead) {
    UpdateWith(100, 200);
    UpdateWith(150, 250);
    ExpectFlags(true, true);

    // Totals of 0, as a failed read gives them: compared with the earlier
    // totals, no rise.
    UpdateWith(0, 0);
    ExpectFlags(false, false);

    // With previous totals of 0 the next tick compares nothing, though its
    // totals exceed those read before the failure.
    UpdateWith(170, 270);
    ExpectFlags(false, false);
    UpdateWith(180, 270);
    ExpectFlags(true, false);
}

TEST_F(IpHelperTest, RiseIsJudgedOnSignedTotals) {
    UpdateWith(std::numeric_limits<std::int32_t>::max(), -1);
    // Received wraps from the largest signed total to the smallest; sent
    // climbs from -1 to 1.
    UpdateWith(std::numeric_limits<std::int32_t>::min(), 1);
    ExpectFlags(false, true);
}

}  // namespace
