#include "common/currency.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "common/runtime_error.h"

TEST(Currency, FromDoubleKeepsFourPlacesRoundingHalfToEven) {
    EXPECT_EQ(Currency::FromDouble(59.5).raw(), 595000);
    EXPECT_EQ(Currency::FromDouble(1.23456).raw(), 12346);
    EXPECT_EQ(Currency::FromDouble(0.125).raw(), 1250);
    EXPECT_EQ(Currency::FromDouble(-2.5).raw(), -25000);
}

TEST(Currency, FromDoubleOutsideTheRangeIsAnOverflow) {
    EXPECT_THROW(Currency::FromDouble(1e15), OverflowError);
    EXPECT_THROW(Currency::FromDouble(-1e15), OverflowError);
    EXPECT_THROW(Currency::FromDouble(std::numeric_limits<double>::infinity()), OverflowError);
    EXPECT_THROW(Currency::FromDouble(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_NO_THROW(Currency::FromDouble(922337203685477.0));
}

TEST(Currency, RoundingToWholeNumbersGoesHalfToEven) {
    EXPECT_EQ(Currency::FromDouble(0.5).RoundToInt32(), 0);
    EXPECT_EQ(Currency::FromDouble(1.5).RoundToInt32(), 2);
    EXPECT_EQ(Currency::FromDouble(2.5).RoundToInt32(), 2);
    EXPECT_EQ(Currency::FromDouble(59.5).RoundToInt32(), 60);
    EXPECT_EQ(Currency::FromDouble(60.5).RoundToInt32(), 60);
    EXPECT_EQ(Currency::FromDouble(60.5001).RoundToInt32(), 61);
    EXPECT_EQ(Currency::FromDouble(-0.5).RoundToInt32(), 0);
    EXPECT_EQ(Currency::FromDouble(-1.5).RoundToInt32(), -2);
    EXPECT_EQ(Currency::FromDouble(-2.4999).RoundToInt32(), -2);
}

TEST(Currency, WholeNumbersBeyondSigned32BitsOverflow) {
    EXPECT_EQ(Currency::FromInt(2147483647).RoundToInt32(), 2147483647);
    EXPECT_EQ(Currency::FromDouble(2147483647.4999).RoundToInt32(), 2147483647);
    EXPECT_THROW(Currency::FromDouble(2147483647.5).RoundToInt32(), OverflowError);
    EXPECT_EQ(Currency::FromInt(-2147483648LL).RoundToInt32(), std::numeric_limits<int32_t>::min());
    EXPECT_THROW(Currency::FromInt(-2147483649LL).RoundToInt32(), OverflowError);
    EXPECT_EQ(Currency::FromInt(3000000000LL).RoundToInt64(), 3000000000LL);
}

TEST(Currency, ArithmeticReportsOverflowInsteadOfWrapping) {
    const Currency max = Currency::FromRaw(std::numeric_limits<std::int64_t>::max());
    const Currency one = Currency::FromInt(1);
    EXPECT_THROW(max + one, OverflowError);
    EXPECT_THROW(Currency::FromRaw(std::numeric_limits<std::int64_t>::min()) - one, OverflowError);
    EXPECT_THROW(Currency::FromInt(922337203685478LL), OverflowError);
    EXPECT_EQ((Currency::FromInt(5) - Currency::FromDouble(0.25)).raw(), 47500);
    EXPECT_EQ((Currency::FromInt(5) + Currency::FromInt(-7)).raw(), -20000);
}

TEST(Currency, MultiplyingByAWholeNumberScalesTheValue) {
    EXPECT_EQ(Currency::FromDouble(2.5) * 4, Currency::FromInt(10));
    EXPECT_EQ(Currency::FromRaw(7) * Currency::kScale, Currency::FromInt(7));
    EXPECT_EQ(Currency::FromInt(-3) * -2, Currency::FromInt(6));
    EXPECT_EQ(Currency::FromInt(123) * 0, Currency());
    // The largest whole value, 922,337,203,685,477, and one beyond it.
    EXPECT_EQ(Currency::FromRaw(922'337'203'685'477) * Currency::kScale,
              Currency::FromInt(922'337'203'685'477));
    EXPECT_THROW(Currency::FromRaw(922'337'203'685'478) * Currency::kScale, OverflowError);
    EXPECT_THROW(Currency::FromRaw(-922'337'203'685'478) * Currency::kScale, OverflowError);
    EXPECT_THROW(Currency::FromRaw(std::numeric_limits<std::int64_t>::min()) * -1, OverflowError);
}

TEST(Currency, ToDoubleGivesTheValue) {
    EXPECT_EQ(Currency::FromInt(268'435'456).ToDouble(), 268'435'456.0);
    EXPECT_EQ(Currency::FromDouble(-0.25).ToDouble(), -0.25);
    EXPECT_EQ(Currency::FromRaw(1).ToDouble(), 0.0001);
    EXPECT_EQ(Currency().ToDouble(), 0.0);
    // Whole values stay exact while the stored integer is within 2^53, and
    // the largest is within one part in 2^52.
    EXPECT_EQ(Currency::FromInt(900'719'925'474).ToDouble(), 900'719'925'474.0);
    EXPECT_NEAR(Currency::FromInt(922'337'203'685'477).ToDouble(), 922'337'203'685'477.0, 0.25);
}
