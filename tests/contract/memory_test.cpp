// The page-file figures of the memory-status calls, and the locale's
// thousands separator.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace contract {
namespace {

TEST(PageFile, BothCallsReportNoMoreAvailableThanThereIsInAll) {
    const auto wide = platform::QueryPageFile64();
    ASSERT_TRUE(wide) << "every system the tests run on has GlobalMemoryStatusEx";
    EXPECT_LE(wide->available, wide->total);
    // The 32-bit figures, unless a size too large for them reads as all bits
    // set.
    const auto narrow = platform::QueryPageFile32();
    if (narrow.total != UINT32_MAX && narrow.available != UINT32_MAX) {
        EXPECT_LE(narrow.available, narrow.total);
    }
}

TEST(Locale, ThousandsSeparatorIsOneToThreeCharacters) {
    const std::string separator = platform::ThousandsSeparator();
    EXPECT_GE(separator.size(), 1u);
    EXPECT_LE(separator.size(), 3u);
    EXPECT_EQ(separator.find('\0'), std::string::npos);
}

}  // namespace
}  // namespace contract
