// The committed-memory text from the memory-status records, on both record
// forms, with the locale's digit grouping and every way it can fail.
#include "monitors/mem_stats.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "common/globals.h"
#include "common/runtime_error.h"
#include "platform/sim/sim.h"

namespace {

constexpr const char* kFailed = "memory query failed";

platform::PageFile<std::uint64_t> StatusEx(std::uint64_t total, std::uint64_t available) {
    return {total, available};
}

platform::PageFile<std::uint32_t> Status(std::uint32_t total, std::uint32_t available) {
    return {total, available};
}

class MemStatsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::Reset();
        ResetGlobals();
    }

    // The text for a committed figure, with some page file still available so
    // that the subtraction matters.
    static std::string TextForEx(std::uint64_t committed) {
        constexpr std::uint64_t kAvailable = 1'610'612'736;
        gIsWin2kOrLater = true;
        sim::SetPageFile64(StatusEx(committed + kAvailable, kAvailable));
        return GetMemoryUsage();
    }
    static std::string TextForOld(std::uint32_t committed) {
        constexpr std::uint32_t kAvailable = 100'000'000;
        gIsWin2kOrLater = false;
        sim::SetPageFile32(Status(committed + kAvailable, kAvailable));
        return GetMemoryUsage();
    }
};

struct Example {
    std::uint32_t committed;
    const char* text;
};

// Kilobytes rounded to the nearest, a half to the even neighbour; grouped by
// three; nothing at all for zero.
constexpr Example kExamples[] = {
    {268'435'456, "262,144 K"},
    {1'000'000, "977 K"},  // 976.5625
    {1'536, "2 K"},        // 1.5
    {2'560, "2 K"},        // 2.5
    {3'584, "4 K"},        // 3.5
    {0, " K"},
    {1'024, "1 K"},
    {512, " K"},  // 0.5
    {513, "1 K"},
    {1'535, "1 K"},
    {1'024'000 - 1'024, "999 K"},
    {1'024'000, "1,000 K"},
    {1'023'998'976, "999,999 K"},
    {1'024'000'000, "1,000,000 K"},
    {1'073'741'824, "1,048,576 K"},  // 1 GB: two separators
};

TEST_F(MemStatsTest, CommittedKilobytesFromTheLargeRecord) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.committed);
        EXPECT_EQ(TextForEx(example.committed), example.text);
    }
}

TEST_F(MemStatsTest, CommittedKilobytesFromTheOldRecord) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.committed);
        EXPECT_EQ(TextForOld(example.committed), example.text);
    }
}

TEST_F(MemStatsTest, LargeRecordBeyondFourGigabytes) {
    EXPECT_EQ(TextForEx(17'179'869'184), "16,777,216 K");  // 16 GB
    EXPECT_EQ(TextForEx(2'199'023'254'528), "2,147,483,647 K");
}

TEST_F(MemStatsTest, LocaleSeparatorGroupsTheDigits) {
    struct Case {
        std::string separator;
        std::string text;
    };
    const std::string nbsp = "\xA0";  // the no-break space of the ANSI code page
    for (const Case& c : {Case{".", "1.048.576 K"}, Case{nbsp, "1" + nbsp + "048" + nbsp + "576 K"},
                          Case{"'", "1'048'576 K"}, Case{"", "1048576 K"}}) {
        SCOPED_TRACE(c.separator);
        sim::SetThousandsSeparator(c.separator);
        EXPECT_EQ(TextForEx(1'073'741'824), c.text);
        EXPECT_EQ(TextForOld(1'073'741'824), c.text);
    }
    sim::SetThousandsSeparator(".");
    EXPECT_EQ(TextForEx(1'000'000), "977 K");
}

TEST_F(MemStatsTest, UntouchedRecordsGiveNoDigits) {
    // The simulated calls leave zero records, as a failed call would.
    gIsWin2kOrLater = true;
    EXPECT_EQ(GetMemoryUsage(), " K");
    gIsWin2kOrLater = false;
    EXPECT_EQ(GetMemoryUsage(), " K");
}

TEST_F(MemStatsTest, OldRecordSizesAreUnsignedAndNeverGiveANegativeFigure) {
    gIsWin2kOrLater = false;
    struct Case {
        std::uint32_t total;
        std::uint32_t available;
        const char* text;
    };
    for (const Case& c : {
             // 3 GB with 100 MB available: 3,116,367,872 bytes.
             Case{3'221'225'472u, 104'857'600u, "3,043,328 K"},
             Case{0xFFFF'FFFEu, 0, "4,194,304 K"},
             Case{0x8000'0000u, 0x8000'0000u, " K"},
             // Sizes too large for the record.
             Case{0xFFFF'FFFFu, 0xFFFF'FFFFu, kFailed},
             Case{0xFFFF'FFFFu, 1'000'000, kFailed},
             // More available than in all, as Wine's Windows 98 reports on a
             // large host.
             Case{4'294'443'007u, 4'294'967'295u, kFailed},
             Case{0, 1, kFailed},
         }) {
        SCOPED_TRACE(c.total);
        sim::SetPageFile32(Status(c.total, c.available));
        EXPECT_EQ(GetMemoryUsage(), c.text);
    }
}

TEST_F(MemStatsTest, LargeRecordOverflowsFail) {
    gIsWin2kOrLater = true;
    constexpr std::uint64_t kCurrencyMax = 922'337'203'685'477;
    struct Case {
        std::uint64_t total;
        std::uint64_t available;
        const char* text;
    };
    for (const Case& c : {
             Case{kCurrencyMax, kCurrencyMax - 1'024, "1 K"},
             // A byte count beyond what a Currency holds.
             Case{kCurrencyMax + 1, kCurrencyMax, kFailed},
             Case{0, kCurrencyMax + 1, kFailed},
             // Read as signed: 2^63 is the most negative count.
             Case{std::uint64_t{1} << 63, 0, kFailed},
             // Byte counts that fit, kilobytes that leave 32 bits.
             Case{2'199'023'255'552, 0, kFailed},  // 2^31 K
             Case{2'199'023'254'528 + 511, 0, "2,147,483,647 K"},
             Case{2'199'023'254'528 + 512, 0, kFailed},  // 2^31 - 0.5 rounds up to 2^31
             // More available than in all.
             Case{0, 2'048, kFailed},
         }) {
        SCOPED_TRACE(c.total);
        sim::SetPageFile64(StatusEx(c.total, c.available));
        EXPECT_EQ(GetMemoryUsage(), c.text);
    }
}

TEST_F(MemStatsTest, MissingGlobalMemoryStatusExFailsOnlyWhereItIsUsed) {
    sim::SetPageFile64(std::nullopt);
    sim::SetPageFile32(Status(268'435'456 + 1'000, 1'000));
    gIsWin2kOrLater = true;
    EXPECT_EQ(GetMemoryUsage(), kFailed);
    gIsWin2kOrLater = false;
    EXPECT_EQ(GetMemoryUsage(), "262,144 K");
}

TEST(LargeIntToCurrency, ValueIsTheStoredInteger) {
    const auto at = [](std::int64_t value) {
        return LargeIntToCurrency(static_cast<std::uint64_t>(value));
    };
    EXPECT_EQ(at(0), Currency::FromInt(0));
    EXPECT_EQ(at(268'435'456), Currency::FromInt(268'435'456));
    EXPECT_EQ(at(-1), Currency::FromInt(-1));
    EXPECT_EQ(at(922'337'203'685'477), Currency::FromInt(922'337'203'685'477));
    EXPECT_EQ(at(-922'337'203'685'477), Currency::FromInt(-922'337'203'685'477));
    EXPECT_THROW(at(922'337'203'685'478), OverflowError);
    EXPECT_THROW(at(-922'337'203'685'478), OverflowError);
    EXPECT_THROW(at(std::numeric_limits<std::int64_t>::max()), OverflowError);
}

}  // namespace
