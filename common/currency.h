// A signed 64-bit fixed-point number with four decimal places: the stored
// integer is the value times 10,000. Arithmetic is exact integer arithmetic and
// a result that does not fit raises OverflowError.
#pragma once

#include <compare>
#include <cstdint>

class Currency {
  public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromRaw(std::int64_t raw) { return Currency(raw); }
    static Currency FromInt(std::int64_t whole);  // overflow beyond the range
    static Currency FromDouble(double value);     // rounds to four places, half to even

    constexpr std::int64_t raw() const { return raw_; }
    // The nearest whole number, a half to the even neighbour; OverflowError
    // outside the signed 32-bit range.
    std::int32_t RoundToInt32() const;
    // The same rounding into 64 bits (always fits).
    std::int64_t RoundToInt64() const;
    // The value as a double: the nearest one while the stored integer is within
    // 2^53, within a unit in the last place beyond.
    double ToDouble() const;

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    // The value times a whole number.
    Currency operator*(std::int64_t factor) const;

    friend constexpr bool operator==(Currency a, Currency b) { return a.raw_ == b.raw_; }
    friend constexpr auto operator<=>(Currency a, Currency b) { return a.raw_ <=> b.raw_; }

  private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};
