#include "common/rounding.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/runtime_error.h"

TEST(RoundToInt32, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundToInt32(0.5), 0);
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(976.5625), 977);
    EXPECT_EQ(RoundToInt32(-0.5), 0);
    EXPECT_EQ(RoundToInt32(-1.5), -2);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(2.4999999), 2);
    EXPECT_EQ(RoundToInt32(2.5000001), 3);
}

TEST(RoundToInt32, OutsideSigned32BitsIsAnOverflow) {
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_THROW(RoundToInt32(2147483647.5), OverflowError);  // to the even 2^31
    EXPECT_EQ(RoundToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW(RoundToInt32(-2147483649.0), OverflowError);
    EXPECT_THROW(RoundToInt32(1e300), OverflowError);
    EXPECT_THROW(RoundToInt32(std::numeric_limits<double>::infinity()), OverflowError);
    EXPECT_THROW(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), OverflowError);
}
