// The simulated interface table's failure modes, which the real one shows only
// on systems that have them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {

constexpr std::uint32_t kNoError = 0;
constexpr std::uint8_t kUnwritten = 0xCC;

std::uint32_t ReadDword(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

class SimInterfaceTable : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimInterfaceTable, RowsAreTheLoopbackThenEthernetAdapters) {
    sim::SetInterfaces({{1, 2}, {3, 4}, {0xFFFFFFFF, 6}});
    std::uint32_t size = 0;
    ASSERT_EQ(platform::InterfaceTable(nullptr, &size, false), platform::kErrorInsufficientBuffer);
    ASSERT_EQ(size, 4u + 3 * 860);
    std::vector<std::uint8_t> table(size, kUnwritten);
    ASSERT_EQ(platform::InterfaceTable(table.data(), &size, false), kNoError);
    EXPECT_EQ(ReadDword(table, 0), 3u);
    const std::uint32_t types[] = {24, 6, 6};
    const std::uint32_t in[] = {1, 3, 0xFFFFFFFF};
    for (std::size_t row = 0; row < 3; ++row) {
        const std::size_t at = 4 + row * 860;
        EXPECT_EQ(ReadDword(table, at + 512), row + 1) << "row " << row;
        EXPECT_EQ(ReadDword(table, at + 516), types[row]) << "row " << row;
        EXPECT_EQ(ReadDword(table, at + 552), in[row]) << "row " << row;
        EXPECT_EQ(ReadDword(table, at + 576), 2 * row + 2) << "row " << row;
    }
}

TEST_F(SimInterfaceTable, NotSupportedAnswersEveryCall) {
    sim::SetInterfaceTableNotSupported(true);
    std::uint32_t size = 0;
    EXPECT_EQ(platform::InterfaceTable(nullptr, &size, false), platform::kErrorNotSupported);
    EXPECT_EQ(size, 0u);
    std::vector<std::uint8_t> table(864, kUnwritten);
    size = 864;
    EXPECT_EQ(platform::InterfaceTable(table.data(), &size, false), platform::kErrorNotSupported);
    EXPECT_EQ(table, std::vector<std::uint8_t>(864, kUnwritten));
    EXPECT_EQ(sim::InterfaceTableCalls(), 2);
}

TEST_F(SimInterfaceTable, FailingTableCallReportsRoomForAnotherRow) {
    sim::SetInterfaceTableCallFails(true);
    std::uint32_t size = 0;
    ASSERT_EQ(platform::InterfaceTable(nullptr, &size, false), platform::kErrorInsufficientBuffer);
    EXPECT_EQ(size, 864u) << "sizing is unaffected";
    std::vector<std::uint8_t> table(size, kUnwritten);
    EXPECT_EQ(platform::InterfaceTable(table.data(), &size, false),
              platform::kErrorInsufficientBuffer);
    EXPECT_EQ(size, 4u + 2 * 860);
    EXPECT_EQ(table, std::vector<std::uint8_t>(864, kUnwritten));
}

TEST_F(SimInterfaceTable, OverstatedCountClaimsRowsThatAreNotThere) {
    sim::SetInterfaces({{5, 6}});
    sim::SetInterfaceTableOverstatesRows(2);
    std::uint32_t size = 0;
    platform::InterfaceTable(nullptr, &size, false);
    ASSERT_EQ(size, 864u) << "sized for the rows there are";
    std::vector<std::uint8_t> table(size);
    ASSERT_EQ(platform::InterfaceTable(table.data(), &size, false), kNoError);
    EXPECT_EQ(ReadDword(table, 0), 3u);
    EXPECT_EQ(ReadDword(table, 4 + 552), 5u);
}

TEST_F(SimInterfaceTable, ResetBringsBackTheIdleLoopbackAlone) {
    sim::SetInterfaces({{5, 6}, {7, 8}});
    sim::SetInterfaceTableNotSupported(true);
    sim::Reset();
    std::uint32_t size = 0;
    ASSERT_EQ(platform::InterfaceTable(nullptr, &size, false), platform::kErrorInsufficientBuffer);
    std::vector<std::uint8_t> table(size);
    ASSERT_EQ(platform::InterfaceTable(table.data(), &size, false), kNoError);
    EXPECT_EQ(ReadDword(table, 0), 1u);
    EXPECT_EQ(ReadDword(table, 4 + 516), 24u);
    EXPECT_EQ(ReadDword(table, 4 + 552), 0u);
    EXPECT_EQ(ReadDword(table, 4 + 576), 0u);
    EXPECT_EQ(sim::InterfaceTableCalls(), 2);
}

}  // namespace
