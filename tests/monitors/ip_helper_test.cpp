// The network activity flags from the interface table's totals, tick by tick.
#include "monitors/ip_helper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim.h"

namespace {

using Rows = std::vector<sim::InterfaceRow>;

class IpHelperTest : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }

    // One tick with the interfaces' counters as given.
    void UpdateWith(const Rows& rows) {
        sim::SetInterfaces(rows);
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
        sim::InterfaceRow next;
        bool rx;
        bool tx;
    };
    for (const Case& c :
         {Case{"none", {100, 200}, false, false}, Case{"rx", {101, 200}, true, false},
          Case{"tx", {100, 201}, false, true}, Case{"rxtx", {150, 250}, true, true}}) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        CIpHelper helper;
        sim::SetInterfaces({{100, 200}});
        helper.Update();
        sim::SetInterfaces({c.next});
        helper.Update();
        EXPECT_EQ(helper.bRX, c.rx);
        EXPECT_EQ(helper.bTX, c.tx);
        EXPECT_EQ(helper.BytesReceived(), static_cast<std::int32_t>(c.next.inOctets));
        EXPECT_EQ(helper.BytesSent(), static_cast<std::int32_t>(c.next.outOctets));
    }
}

TEST_F(IpHelperTest, EachUpdateSizesAndReadsTheTableOnce) {
    helper_.Update();
    EXPECT_EQ(sim::InterfaceTableCalls(), 2);
    helper_.Update();
    EXPECT_EQ(sim::InterfaceTableCalls(), 4);
}

TEST_F(IpHelperTest, EveryRowCountsTheLoopbackInterfaceIncluded) {
    // The simulated table's first row is the loopback interface.
    UpdateWith({{10, 20}, {1000, 2000}});
    UpdateWith({{11, 20}, {1000, 2000}});
    ExpectFlags(true, false);
    UpdateWith({{11, 20}, {1000, 2001}});
    ExpectFlags(false, true);
    EXPECT_EQ(helper_.BytesReceived(), 1011);
    EXPECT_EQ(helper_.BytesSent(), 2021);
}

TEST_F(IpHelperTest, FirstUpdateOnlyRemembersTheTotals) {
    helper_.bRX = true;
    UpdateWith({{100, 200}});
    ExpectFlags(true, false);
    EXPECT_EQ(helper_.BytesReceived(), 100);
    EXPECT_EQ(helper_.BytesSent(), 200);

    // The second one compares against them.
    UpdateWith({{100, 200}});
    ExpectFlags(false, false);
}

TEST_F(IpHelperTest, NothingEverSentMeansNothingIsEverCompared) {
    helper_.bTX = true;
    for (std::uint32_t received : {100u, 200u, 300u, 400u}) {
        UpdateWith({{received, 0}});
        ExpectFlags(false, true);
    }
}

TEST_F(IpHelperTest, TotalsThatFallAreNoActivity) {
    UpdateWith({{100, 200}, {300, 400}});
    UpdateWith({{150, 250}, {300, 400}});
    ExpectFlags(true, true);
    // A counter reset on one interface.
    UpdateWith({{0, 250}, {300, 400}});
    ExpectFlags(false, false);
    // An interface disappears, taking its share of both totals with it.
    UpdateWith({{5, 260}});
    ExpectFlags(false, false);
    UpdateWith({{6, 261}});
    ExpectFlags(true, true);
}

TEST_F(IpHelperTest, NoInterfaceTableLeavesFlagsAndPreviousTotals) {
    UpdateWith({{100, 200}});
    UpdateWith({{150, 250}});
    ExpectFlags(true, true);

    sim::SetInterfaceTableNotSupported(true);
    const int callsBefore = sim::InterfaceTableCalls();
    UpdateWith({{999, 999}});
    EXPECT_EQ(sim::InterfaceTableCalls(), callsBefore + 1) << "no table call after the refusal";
    ExpectFlags(true, true);
    EXPECT_EQ(helper_.BytesReceived(), 0);
    EXPECT_EQ(helper_.BytesSent(), 0);

    // The next read compares with the totals from before the refusal.
    sim::SetInterfaceTableNotSupported(false);
    UpdateWith({{150, 260}});
    ExpectFlags(false, true);
}

// A failed table call and a table that claims more rows than its buffer holds
// end alike: totals of 0 on that tick, and no comparison on the next.
class UnreadableTableTest : public IpHelperTest, public ::testing::WithParamInterface<std::string> {
  protected:
    void MakeTableUnreadable(bool unreadable) {
        if (GetParam() == "TableCallFails") {
            sim::SetInterfaceTableCallFails(unreadable);
        } else if (GetParam() == "OneRowTooMany") {
            sim::SetInterfaceTableOverstatesRows(unreadable ? 1 : 0);
        } else {
            // dwNumEntries 0xFFFFFFFF with the one row there is.
            sim::SetInterfaceTableOverstatesRows(unreadable ? 0xFFFFFFFE : 0);
        }
    }
};

TEST_P(UnreadableTableTest, CountsAsARead) {
    UpdateWith({{100, 200}});
    UpdateWith({{150, 250}});
    ExpectFlags(true, true);

    MakeTableUnreadable(true);
    UpdateWith({{160, 260}});
    EXPECT_EQ(helper_.BytesReceived(), 0);
    EXPECT_EQ(helper_.BytesSent(), 0);
    // Compared with the earlier totals, 0 is no rise.
    ExpectFlags(false, false);

    // With previous totals of 0 the next tick compares nothing, though its
    // totals exceed those read before the failure.
    MakeTableUnreadable(false);
    UpdateWith({{170, 270}});
    ExpectFlags(false, false);
    EXPECT_EQ(helper_.BytesReceived(), 170);

    UpdateWith({{180, 270}});
    ExpectFlags(true, false);
}

INSTANTIATE_TEST_SUITE_P(Ways, UnreadableTableTest,
                         ::testing::Values("TableCallFails", "OneRowTooMany", "AllRowsTooMany"),
                         [](const auto& info) { return info.param; });

TEST_F(IpHelperTest, CountersAreSignedAndAnOverflowingAdditionIsSkipped) {
    struct Case {
        std::string name;
        Rows rows;
        std::int32_t total;
    };
    const std::vector<Case> cases = {
        {"exactly the maximum", {{0x7FFFFFF0, 0x7FFFFFF0}, {0xF, 0xF}}, 0x7FFFFFFF},
        {"one past it skips that row only",
         {{0x7FFFFFF0, 0x7FFFFFF0}, {0x20, 0x20}, {5, 5}},
         0x7FFFFFF5},
        {"a counter from 2^31 up is negative", {{0x80000005, 0x80000005}}, -0x7FFFFFFB},
        {"negative counters lower the total", {{10, 10}, {0xFFFFFFFF, 0xFFFFFFFF}}, 9},
        {"below the minimum is skipped too",
         {{0x80000000, 0x80000000}, {0xFFFFFFFF, 0xFFFFFFFF}, {3, 3}},
         -0x7FFFFFFD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UpdateWith(c.rows);
        EXPECT_EQ(helper_.BytesReceived(), c.total);
        EXPECT_EQ(helper_.BytesSent(), c.total);
    }
}

TEST_F(IpHelperTest, RiseIsJudgedOnSignedTotals) {
    UpdateWith({{0x7FFFFFFF, 0xFFFFFFFF}});
    // Received goes up by one as an unsigned number but wraps from the largest
    // signed total to the smallest; sent goes down as an unsigned number but
    // climbs from -1 to 1.
    UpdateWith({{0x80000000, 1}});
    ExpectFlags(false, true);
}

TEST_F(IpHelperTest, LongTablesAreSummedRowByRow) {
    // More rows than a 16-bit count holds; row i has i + 1 bytes received.
    constexpr std::uint32_t kRows = 40'000;
    Rows rows(kRows);
    for (std::uint32_t i = 0; i < kRows; ++i) rows[i] = {i + 1, 1};
    UpdateWith(rows);
    EXPECT_EQ(helper_.BytesReceived(), static_cast<std::int32_t>(kRows * (kRows + 1) / 2));
    EXPECT_EQ(helper_.BytesSent(), static_cast<std::int32_t>(kRows));

    rows[kRows / 2].inOctets += 1;
    UpdateWith(rows);
    ExpectFlags(true, false);
    rows.back().outOctets += 1;
    UpdateWith(rows);
    ExpectFlags(false, true);
}

}  // namespace
