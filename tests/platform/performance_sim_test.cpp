// The simulated performance data, 9x statistics and time conversion: what
// tests set up, and the behaviour of Windows that Wine does not show.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim.h"

namespace {

using platform::Handle;
using Strings = std::vector<std::string>;

constexpr std::uint8_t kUnwritten = 0xCC;

const Handle kPerformanceData = platform::RootKey(platform::kHKeyPerformanceData);
const Handle kDynData = platform::RootKey(platform::kHKeyDynData);

class SimPerformance : public ::testing::Test {
  protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(SimPerformance, ServesTheBlockForTheProcessorObjectOnly) {
    const std::vector<std::uint8_t> block = {'P', 0, 'E', 0, 'R', 0, 'F', 0, 1, 2, 3};
    sim::SetPerformanceData(block);
    std::vector<std::uint8_t> buffer(16, kUnwritten);
    std::uint32_t size = 16;
    std::uint32_t type = 0;
    ASSERT_EQ(platform::RegQuery(kPerformanceData, "238", &type, buffer.data(), &size),
              platform::kErrorSuccess);
    EXPECT_EQ(type, platform::kRegBinary);
    EXPECT_EQ(size, block.size());
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 11), block);
    EXPECT_EQ(buffer[11], kUnwritten);

    size = 16;
    EXPECT_EQ(platform::RegQuery(kPerformanceData, "230", nullptr, buffer.data(), &size),
              platform::kErrorFileNotFound);
}

TEST_F(SimPerformance, TooSmallBufferGetsMoreDataAndTheNeededSize) {
    sim::SetPerformanceData(std::vector<std::uint8_t>(10'000, 7));
    for (std::uint32_t given : {0u, 4096u, 9999u}) {
        std::vector<std::uint8_t> buffer(given + 1, kUnwritten);
        std::uint32_t size = given;
        EXPECT_EQ(platform::RegQuery(kPerformanceData, "238", nullptr, buffer.data(), &size),
                  platform::kErrorMoreData);
        EXPECT_EQ(size, 10'000u);
        EXPECT_EQ(buffer, std::vector<std::uint8_t>(given + 1, kUnwritten)) << "left alone";
    }
    std::uint32_t size = 0;
    EXPECT_EQ(platform::RegQuery(kPerformanceData, "238", nullptr, nullptr, &size),
              platform::kErrorSuccess);
    EXPECT_EQ(size, 10'000u);
    EXPECT_EQ(sim::PerformanceDataQuerySizes(), (std::vector<std::uint32_t>{0, 4096, 9999, 0}));
}

TEST_F(SimPerformance, NoBlockByDefaultAndQueriesAreRecordedUntilCleared) {
    std::vector<std::uint8_t> buffer(64);
    std::uint32_t size = 64;
    EXPECT_EQ(platform::RegQuery(kPerformanceData, "238", nullptr, buffer.data(), &size),
              platform::kErrorFileNotFound);
    EXPECT_EQ(sim::PerformanceDataQuerySizes(), (std::vector<std::uint32_t>{64}));
    sim::ClearRecords();
    EXPECT_TRUE(sim::PerformanceDataQuerySizes().empty());
}

TEST_F(SimPerformance, NoStatisticsKeysByDefault) {
    for (const char* path :
         {"PerfStats\\StartStat", "PerfStats\\StatData", "PerfStats\\StopStat"}) {
        Handle key = 0x777;
        EXPECT_EQ(platform::RegOpenWithAccess(kDynData, path, platform::kKeyRead, &key),
                  platform::kErrorFileNotFound)
            << path;
        EXPECT_EQ(key, 0u);
    }
    EXPECT_EQ(sim::DynDataLog(),
              (Strings{"open StartStat failed", "open StatData failed", "open StopStat failed"}));
}

TEST_F(SimPerformance, StatisticsKeysServeTheUsageAndLogWhatIsDone) {
    sim::SetDynDataKeys(true, true, false);
    sim::SetDynDataUsage(37);
    Handle key = 0;
    ASSERT_EQ(
        platform::RegOpenWithAccess(kDynData, "perfstats\\STATDATA", platform::kKeyRead, &key),
        platform::kErrorSuccess);
    EXPECT_NE(key, 0u);

    std::uint8_t value[4] = {};
    std::uint32_t size = 4;
    std::uint32_t type = platform::kRegDword;
    EXPECT_EQ(platform::RegQuery(key, "KERNEL\\CPUUsage", &type, value, &size),
              platform::kErrorSuccess);
    std::uint32_t usage = 0;
    std::memcpy(&usage, value, sizeof usage);
    EXPECT_EQ(usage, 37u);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, platform::kRegBinary);

    size = 2;
    EXPECT_EQ(platform::RegQuery(key, "KERNEL\\CPUUsage", &type, value, &size),
              platform::kErrorMoreData);
    size = 4;
    EXPECT_EQ(platform::RegQuery(key, "KERNEL\\Other", &type, value, &size),
              platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegClose(key), platform::kErrorSuccess);
    EXPECT_NE(platform::RegClose(key), platform::kErrorSuccess) << "closed already";

    EXPECT_EQ(
        platform::RegOpenWithAccess(kDynData, "PerfStats\\StopStat", platform::kKeyAllAccess, &key),
        platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegOpenWithAccess(kDynData, "PerfStats", platform::kKeyRead, &key),
              platform::kErrorFileNotFound);
    EXPECT_EQ(sim::DynDataLog(),
              (Strings{"open StatData", "query StatData", "query StatData", "query StatData",
                       "close StatData", "open StopStat failed"}));
    sim::ClearRecords();
    EXPECT_TRUE(sim::DynDataLog().empty());
}

TEST_F(SimPerformance, ProcessorCountIsSet) {
    EXPECT_EQ(platform::ProcessorCount(), 1u);
    sim::SetProcessorCount(8);
    EXPECT_EQ(platform::ProcessorCount(), 8u);
    sim::Reset();
    EXPECT_EQ(platform::ProcessorCount(), 1u);
}

// Windows checks February against the leap years and ends its time scale with
// 30827; Wine lets both through, so only the simulation shows them.
TEST_F(SimPerformance, FileTimeRefusesWhatWindowsRefuses) {
    for (const platform::SystemTime& time : {platform::SystemTime{2005, 2, 0, 29, 0, 0, 0, 0},
                                             platform::SystemTime{1900, 2, 0, 29, 0, 0, 0, 0},
                                             platform::SystemTime{30828, 1, 0, 1, 0, 0, 0, 0}}) {
        std::int64_t fileTime = -7;
        EXPECT_FALSE(platform::FileTimeFromSystemTime(time, &fileTime)) << time.year;
        EXPECT_EQ(fileTime, -7);
    }
    std::int64_t last = 0;
    ASSERT_TRUE(platform::FileTimeFromSystemTime({30827, 12, 0, 31, 23, 59, 59, 999}, &last));
    EXPECT_EQ(last, 9'223'149'887'999'990'000);  // as Wine computes it
}

}  // namespace
