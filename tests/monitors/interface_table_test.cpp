// Summing a table of network interfaces from its bytes, within their bounds.
#include "monitors/interface_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kRowSize = 860;

void Put(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// A table of the given rows ({received, sent} each) claiming entries rows, in
// a buffer of exactly size bytes; rows beyond the buffer are left out.
std::vector<std::uint8_t> Table(std::uint32_t entries,
                                const std::vector<std::pair<std::uint32_t, std::uint32_t>>& rows,
                                std::size_t size) {
    std::vector<std::uint8_t> bytes(size, 0xAB);
    if (size >= kHeaderSize) Put(bytes, 0, entries);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t row = kHeaderSize + i * kRowSize;
        if (row + kRowSize > size) break;
        Put(bytes, row + 552, rows[i].first);
        Put(bytes, row + 576, rows[i].second);
    }
    return bytes;
}

std::size_t SizeOf(std::size_t rows) {
    return kHeaderSize + rows * kRowSize;
}

TEST(SumInterfaceTable, BuffersTooShortForTheCount) {
    EXPECT_EQ(SumInterfaceTable(nullptr, 0), std::nullopt);
    for (std::size_t size = 1; size < kHeaderSize; ++size) {
        const std::vector<std::uint8_t> bytes(size, 0);
        EXPECT_EQ(SumInterfaceTable(bytes.data(), size), std::nullopt) << size << " bytes";
    }
}

TEST(SumInterfaceTable, EmptyTable) {
    const auto bytes = Table(0, {}, kHeaderSize);
    const auto totals = SumInterfaceTable(bytes.data(), bytes.size());
    ASSERT_TRUE(totals);
    EXPECT_EQ(totals->received, 0);
    EXPECT_EQ(totals->sent, 0);
}

TEST(SumInterfaceTable, RowsThatFitAreSummedAndSpareBytesIgnored) {
    for (std::size_t spare : {0u, 1u, 859u, 860u}) {
        // Spare bytes that look like a fourth row do not count as one.
        const auto bytes = Table(3, {{1, 10}, {2, 20}, {4, 40}, {8, 80}}, SizeOf(3) + spare);
        const auto totals = SumInterfaceTable(bytes.data(), bytes.size());
        ASSERT_TRUE(totals) << spare << " spare bytes";
        EXPECT_EQ(totals->received, 7);
        EXPECT_EQ(totals->sent, 70);
    }
}

TEST(SumInterfaceTable, CountReachingPastTheBufferIsRefused) {
    // The last row short by a byte: its counters would fit, the row does not.
    auto bytes = Table(2, {{1, 10}, {2, 20}}, SizeOf(2) - 1);
    EXPECT_EQ(SumInterfaceTable(bytes.data(), bytes.size()), std::nullopt);

    bytes = Table(3, {{1, 10}, {2, 20}}, SizeOf(2));
    EXPECT_EQ(SumInterfaceTable(bytes.data(), bytes.size()), std::nullopt);

    // The largest count, and one whose extent, reckoned in 32 bits, wraps
    // around to 8 bytes.
    for (std::uint32_t entries : {0xFFFFFFFFu, 0x2FECF2E7u}) {
        bytes = Table(entries, {{1, 10}}, SizeOf(1));
        EXPECT_EQ(SumInterfaceTable(bytes.data(), bytes.size()), std::nullopt) << entries;
    }
}

}  // namespace
