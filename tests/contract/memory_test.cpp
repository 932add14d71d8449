// The memory-status records and the locale's thousands separator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "platform/platform.h"

namespace contract {
namespace {

template <typename T, std::size_t N>
T Field(const std::uint8_t (&record)[N], std::size_t offset) {
    T value{};
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

TEST(MemoryStatusEx, FillsARecordWhoseSizeIsSet) {
    std::uint8_t record[64] = {};
    const std::uint32_t length = 64;
    std::memcpy(record, &length, sizeof length);
    ASSERT_TRUE(platform::QueryMemoryStatusEx(record));
    EXPECT_EQ(Field<std::uint32_t>(record, 0), 64u);
    // The load in percent; then physical memory, page file and virtual
    // memory, each available figure at most its total.
    EXPECT_LE(Field<std::uint32_t>(record, 4), 100u);
    EXPECT_LE(Field<std::uint64_t>(record, 16), Field<std::uint64_t>(record, 8));
    EXPECT_LE(Field<std::uint64_t>(record, 32), Field<std::uint64_t>(record, 24));
    EXPECT_LE(Field<std::uint64_t>(record, 48), Field<std::uint64_t>(record, 40));
}

TEST(MemoryStatusEx, RecordWithAWrongSizeIsLeftAlone) {
    for (const std::uint32_t length : {0u, 32u, 63u, 65u}) {
        SCOPED_TRACE(length);
        std::uint8_t record[64];
        std::fill(std::begin(record), std::end(record), 0xA5);
        std::memcpy(record, &length, sizeof length);
        std::uint8_t before[64];
        std::memcpy(before, record, sizeof record);
        // The entry point exists; only the call fails.
        EXPECT_TRUE(platform::QueryMemoryStatusEx(record));
        EXPECT_EQ(std::memcmp(record, before, sizeof record), 0);
    }
}

TEST(MemoryStatus, FillsTheOldRecordAndSetsItsSize) {
    std::uint8_t record[32];
    std::fill(std::begin(record), std::end(record), 0xA5);
    platform::QueryMemoryStatus(record);
    EXPECT_EQ(Field<std::uint32_t>(record, 0), 32u);
    // Load, then the same three pairs in 32 bits.
    EXPECT_LE(Field<std::uint32_t>(record, 4), 100u);
    EXPECT_LE(Field<std::uint32_t>(record, 12), Field<std::uint32_t>(record, 8));
    EXPECT_LE(Field<std::uint32_t>(record, 20), Field<std::uint32_t>(record, 16));
    EXPECT_LE(Field<std::uint32_t>(record, 28), Field<std::uint32_t>(record, 24));
}

TEST(Locale, ThousandsSeparatorIsOneToThreeCharacters) {
    const std::string separator = platform::ThousandsSeparator();
    EXPECT_GE(separator.size(), 1u);
    EXPECT_LE(separator.size(), 3u);
    EXPECT_EQ(separator.find('\0'), std::string::npos);
}

}  // namespace
}  // namespace contract
