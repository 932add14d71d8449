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

TEST(SumInterfaceTable, CountersAreSignedAndAnOverflowingAdditionIsSkipped) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> rows;
        std::int32_t total;
    };
    for (const Case& c : std::vector<Case>{
             {"exactly the maximum", {{0x7FFFFFF0, 0x7FFFFFF0}, {0xF, 0xF}}, 0x7FFFFFFF},
             {"one past it skips that row only",
              {{0x7FFFFFF0, 0x7FFFFFF0}, {0x20, 0x20}, {5, 5}},
              0x7FFFFFF5},
             {"a counter from 2^31 up is negative", {{0x80000005, 0x80000005}}, -0x7FFFFFFB},
             {"negative counters lower the total", {{10, 10}, {0xFFFFFFFF, 0xFFFFFFFF}}, 9},
             {"below the minimum is skipped too",
              {{0x80000000, 0x80000000}, {0xFFFFFFFF, 0xFFFFFFFF}, {3, 3}},
              -0x7FFFFFFD},
         }) {
        SCOPED_TRACE(c.name);
        const auto bytes = Table(static_cast<std::uint32_t>(c.rows.size()), c.rows,
                                 SizeOf(c.rows.size()));
        const auto totals = SumInterfaceTable(bytes.data(), bytes.size());
        ASSERT_TRUE(totals);
        EXPECT_EQ(totals->received, c.total);
        EXPECT_EQ(totals->sent, c.total);
    }
}

TEST(SumInterfaceTable, LongTablesAreSummedRowByRow) {
    // More rows than a 16-bit count holds; row i has i + 1 bytes received.
    constexpr std::uint32_t kRows = 40'000;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> rows(kRows);
    for (std::uint32_t i = 0; i < kRows; ++i) rows[i] = {i + 1, 1};
    const auto bytes = Table(kRows, rows, SizeOf(kRows));
    const auto totals = SumInterfaceTable(bytes.data(), bytes.size());
    ASSERT_TRUE(totals);
    EXPECT_EQ(totals->received, static_cast<std::int32_t>(kRows * (kRows + 1) / 2));
    EXPECT_EQ(totals->sent, static_cast<std::int32_t>(kRows));
}

}  // namespace
