// The table of network interfaces through GetIfTable: how it is sized, where
// its rows and their fields lie, and that it stays within the buffer it gets.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "platform/platform.h"

namespace contract {
namespace {

using platform::kErrorInsufficientBuffer;

constexpr std::uint32_t kNoError = 0;
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kRowSize = 860;
constexpr std::size_t kIndexOffset = 512;
constexpr std::size_t kTypeOffset = 516;
constexpr std::uint32_t kTypeSoftwareLoopback = 24;
constexpr std::uint8_t kUnwritten = 0xCC;
constexpr std::size_t kGuardBytes = 16;

std::uint32_t ReadDword(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::uint32_t NeededSize() {
    std::uint32_t size = 0;
    EXPECT_EQ(platform::InterfaceTable(nullptr, &size, false), kErrorInsufficientBuffer);
    return size;
}

// The table read into a buffer of exactly the size the sizing call reported,
// followed by guard bytes that show whether anything was written past it.
struct Table {
    std::uint32_t size = 0;
    std::vector<std::uint8_t> bytes;

    std::uint32_t entries() const { return ReadDword(bytes, 0); }
    std::uint32_t field(std::uint32_t row, std::size_t offset) const {
        return ReadDword(bytes, kHeaderSize + row * kRowSize + offset);
    }
};

Table ReadTable() {
    Table table;
    table.size = NeededSize();
    table.bytes.assign(table.size + kGuardBytes, kUnwritten);
    std::uint32_t size = table.size;
    EXPECT_EQ(platform::InterfaceTable(table.bytes.data(), &size, false), kNoError);
    return table;
}

TEST(InterfaceTable, SizingCallReportsRoomForTheCountAndAtLeastOneRow) {
    // Every system has its loopback interface.
    EXPECT_GE(NeededSize(), kHeaderSize + kRowSize);
}

TEST(InterfaceTable, RowsFitTheReportedSizeAndNothingIsWrittenPastIt) {
    const Table table = ReadTable();
    ASSERT_GE(table.size, kHeaderSize);
    EXPECT_GE(table.entries(), 1u);
    EXPECT_LE(kHeaderSize + table.entries() * kRowSize, table.size);
    for (std::size_t i = table.size; i < table.bytes.size(); ++i) {
        EXPECT_EQ(table.bytes[i], kUnwritten) << "byte " << i;
    }
}

TEST(InterfaceTable, RowsLieBackToBackWithTheirOwnIndexAndType) {
    const Table table = ReadTable();
    ASSERT_LE(kHeaderSize + table.entries() * kRowSize, table.size);
    std::set<std::uint32_t> indexes;
    int loopbacks = 0;
    for (std::uint32_t row = 0; row < table.entries(); ++row) {
        const std::uint32_t index = table.field(row, kIndexOffset);
        EXPECT_NE(index, 0u) << "row " << row;
        indexes.insert(index);
        if (table.field(row, kTypeOffset) == kTypeSoftwareLoopback) ++loopbacks;
    }
    EXPECT_EQ(indexes.size(), table.entries()) << "every row has an index of its own";
    EXPECT_GE(loopbacks, 1);
}

TEST(InterfaceTable, TooSmallBufferIsLeftAloneAndTheNeededSizeReported) {
    const std::uint32_t needed = NeededSize();
    ASSERT_GE(needed, kHeaderSize + kRowSize);
    for (const std::uint32_t given : {needed - 1, std::uint32_t{kHeaderSize}, 0u}) {
        std::vector<std::uint8_t> buffer(needed, kUnwritten);
        std::uint32_t size = given;
        EXPECT_EQ(platform::InterfaceTable(buffer.data(), &size, false), kErrorInsufficientBuffer)
            << "buffer of " << given;
        EXPECT_EQ(size, needed);
        EXPECT_EQ(buffer, std::vector<std::uint8_t>(needed, kUnwritten));
    }
}

TEST(InterfaceTable, NullTableIsOnlyASizingCallWhateverTheSize) {
    const std::uint32_t needed = NeededSize();
    std::uint32_t size = needed + 1000;
    EXPECT_EQ(platform::InterfaceTable(nullptr, &size, false), kErrorInsufficientBuffer);
    EXPECT_EQ(size, needed);
}

}  // namespace
}  // namespace contract
