// What the CPU load sampler asks of the system: the processor count, the
// performance data, the 9x statistics keys (absent on NT) and the conversion of
// a SYSTEMTIME into a FILETIME.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "tests/contract/scratch_key.h"

namespace contract {
namespace {

using platform::Handle;
using platform::SystemTime;

TEST(Processors, AtLeastOne) {
    EXPECT_GE(platform::ProcessorCount(), 1u);
    EXPECT_EQ(platform::ProcessorCount(), platform::ProcessorCount());
}

// ---- SystemTimeToFileTime ------------------------------------------------------------

std::int64_t FileTimeOf(const SystemTime& time) {
    std::int64_t fileTime = -1;
    EXPECT_TRUE(platform::FileTimeFromSystemTime(time, &fileTime));
    return fileTime;
}

TEST(FileTime, CountsHundredNanosecondsSince1601) {
    EXPECT_EQ(FileTimeOf({1601, 1, 1, 1, 0, 0, 0, 0}), 0);
    EXPECT_EQ(FileTimeOf({1601, 1, 1, 1, 0, 0, 0, 1}), 10'000);
    EXPECT_EQ(FileTimeOf({2005, 12, 2, 6, 8, 4, 9, 123}), 127'783'298'491'230'000);
    // 2004 and 2000 are leap years.
    EXPECT_EQ(FileTimeOf({2004, 3, 1, 1, 0, 0, 0, 0}) - FileTimeOf({2004, 2, 0, 29, 0, 0, 0, 0}),
              864'000'000'000);
    EXPECT_EQ(FileTimeOf({2000, 2, 2, 29, 23, 59, 59, 999}),
              FileTimeOf({2000, 3, 3, 1, 0, 0, 0, 0}) - 10'000);
}

TEST(FileTime, DayOfWeekIsIgnored) {
    for (std::uint16_t dayOfWeek : {0, 2, 6, 9}) {
        EXPECT_EQ(FileTimeOf({2005, 12, dayOfWeek, 6, 8, 4, 9, 123}), 127'783'298'491'230'000)
            << "day of week " << dayOfWeek;
    }
}

TEST(FileTime, FieldsOutOfRangeAreRefusedAndNothingWritten) {
    const SystemTime refused[] = {
        {1600, 12, 0, 31, 23, 59, 59, 999},  // before the time scale
        {2005, 0, 0, 1, 0, 0, 0, 0},        {2005, 13, 0, 1, 0, 0, 0, 0},
        {2005, 1, 0, 0, 0, 0, 0, 0},        {2005, 1, 0, 32, 0, 0, 0, 0},
        {2005, 4, 0, 31, 0, 0, 0, 0},       {2005, 1, 0, 1, 24, 0, 0, 0},
        {2005, 1, 0, 1, 0, 60, 0, 0},       {2005, 1, 0, 1, 0, 0, 60, 0},
        {2005, 1, 0, 1, 0, 0, 0, 1000},
    };
    for (const SystemTime& time : refused) {
        std::int64_t fileTime = -7;
        EXPECT_FALSE(platform::FileTimeFromSystemTime(time, &fileTime))
            << time.year << "-" << time.month << "-" << time.day << " " << time.hour << ":"
            << time.minute << ":" << time.second << "." << time.milliseconds;
        EXPECT_EQ(fileTime, -7);
    }
}

// ---- Opening keys with an access mask ----------------------------------------------------

using KeysWithAccess = ScratchKeyTest;

TEST_F(KeysWithAccess, MissingKeyFails) {
    Handle key = 0x777;
    EXPECT_EQ(
        platform::RegOpenWithAccess(kCurrentUser, PathBelowRoot("Plain"), platform::kKeyRead, &key),
        platform::kErrorFileNotFound);
    EXPECT_EQ(key, 0u);
    EXPECT_FALSE(SubKeyExists("Plain"));
}

TEST_F(KeysWithAccess, ExistingKeyOpensForReadingOrEverything) {
    Handle plain = 0;
    ASSERT_EQ(platform::RegCreate(scratch(), "Plain", &plain), platform::kErrorSuccess);
    const std::uint32_t mark = 0x1234;
    ASSERT_EQ(platform::RegSet(plain, "Mark", platform::kRegDword,
                               reinterpret_cast<const std::uint8_t*>(&mark), sizeof mark),
              platform::kErrorSuccess);
    EXPECT_EQ(platform::RegClose(plain), platform::kErrorSuccess);

    for (std::uint32_t access : {platform::kKeyRead, platform::kKeyAllAccess}) {
        Handle key = 0;
        ASSERT_EQ(platform::RegOpenWithAccess(kCurrentUser, PathBelowRoot("Plain"), access, &key),
                  platform::kErrorSuccess)
            << std::hex << access;
        EXPECT_NE(key, 0u);
        const QueryResult read = QueryValue(key, "Mark", 4);
        EXPECT_EQ(read.status, platform::kErrorSuccess);
        EXPECT_EQ(read.type, platform::kRegDword);
        std::uint32_t value = 0;
        std::memcpy(&value, read.buffer.data(), sizeof value);
        EXPECT_EQ(value, mark);
        EXPECT_EQ(platform::RegClose(key), platform::kErrorSuccess);
    }
}

TEST(DynamicStatistics, NtHasNoKeyThatStartsTheCpuStatistic) {
    Handle key = 0x777;
    EXPECT_EQ(platform::RegOpenWithAccess(platform::RootKey(platform::kHKeyDynData),
                                          "PerfStats\\StartStat", platform::kKeyAllAccess, &key),
              platform::kErrorFileNotFound);
    EXPECT_EQ(key, 0u);
}

// ---- HKEY_PERFORMANCE_DATA ---------------------------------------------------------------

std::int32_t LongAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

// A system may have no performance data for the Processor object at all; Wine
// without a provider answers with a block of no objects. What it does return
// must be a block that fits the buffer and says when it was taken.
TEST(PerformanceData, ProcessorQueryAnswersWithASoundBlockOrNotAtAll) {
    const Handle performanceData = platform::RootKey(platform::kHKeyPerformanceData);
    constexpr std::uint32_t kBufferSize = 65536;
    const QueryResult full = QueryValue(performanceData, "238", kBufferSize);
    if (full.status != platform::kErrorSuccess) {
        EXPECT_EQ(full.status, platform::kErrorFileNotFound);
        return;
    }
    EXPECT_EQ(full.type, platform::kRegBinary);
    ASSERT_GE(full.size, 84u);
    ASSERT_LE(full.size, kBufferSize);
    const std::uint8_t signature[] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
    EXPECT_EQ(std::memcmp(full.buffer.data(), signature, sizeof signature), 0);
    const std::int32_t headerLength = LongAt(full.buffer, 24);
    EXPECT_GE(headerLength, 84);
    EXPECT_LE(static_cast<std::uint32_t>(headerLength), full.size);
    EXPECT_GE(LongAt(full.buffer, 28), 0) << "number of objects";
    for (std::uint32_t i = kBufferSize; i < full.buffer.size(); ++i) {
        EXPECT_EQ(full.buffer[i], kUnwritten) << "byte " << i;
    }

    SystemTime taken;
    std::memcpy(&taken, full.buffer.data() + 36, sizeof taken);
    std::int64_t fileTime = 0;
    EXPECT_TRUE(platform::FileTimeFromSystemTime(taken, &fileTime));
    EXPECT_GT(fileTime, 127'783'298'491'230'000) << "taken after December 2005";

    // A buffer too small for the block is answered with ERROR_MORE_DATA (the
    // length reported with it is not to be relied on).
    const QueryResult small = QueryValue(performanceData, "238", 8);
    EXPECT_EQ(small.status, platform::kErrorMoreData);
}

TEST(PerformanceData, ThePredefinedKeyCanBeClosed) {
    EXPECT_EQ(platform::RegClose(platform::RootKey(platform::kHKeyPerformanceData)),
              platform::kErrorSuccess);
}

}  // namespace
}  // namespace contract
