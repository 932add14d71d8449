#include "common/currency.h"

#include <cmath>
#include <limits>

#include "common/runtime_error.h"

namespace {

void ThrowIf(bool overflowed) {
    if (overflowed) throw OverflowError();
}

}  // namespace

Currency Currency::FromInt(std::int64_t whole) {
    std::int64_t raw = 0;
    ThrowIf(__builtin_mul_overflow(whole, kScale, &raw));
    return Currency(raw);
}

Currency Currency::FromDouble(double value) {
    const double scaled = std::nearbyint(value * static_cast<double>(kScale));
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(scaled >= -kLimit && scaled < kLimit)) throw OverflowError();
    return Currency(static_cast<std::int64_t>(scaled));
}

std::int64_t Currency::RoundToInt64() const {
    std::int64_t whole = raw_ / kScale;
    const std::int64_t rest = raw_ % kScale;  // same sign as raw_
    const std::int64_t half = kScale / 2;
    if (rest > half || (rest == half && whole % 2 != 0)) ++whole;
    if (rest < -half || (rest == -half && whole % 2 != 0)) --whole;
    return whole;
}

std::int32_t Currency::RoundToInt32() const {
    const std::int64_t whole = RoundToInt64();
    if (whole < std::numeric_limits<std::int32_t>::min() ||
        whole > std::numeric_limits<std::int32_t>::max()) {
        throw OverflowError();
    }
    return static_cast<std::int32_t>(whole);
}

double Currency::ToDouble() const {
    return static_cast<double>(raw_) / static_cast<double>(kScale);
}

Currency Currency::operator+(Currency other) const {
    std::int64_t raw = 0;
    ThrowIf(__builtin_add_overflow(raw_, other.raw_, &raw));
    return Currency(raw);
}

Currency Currency::operator-(Currency other) const {
    std::int64_t raw = 0;
    ThrowIf(__builtin_sub_overflow(raw_, other.raw_, &raw));
    return Currency(raw);
}

Currency Currency::operator*(std::int64_t factor) const {
    std::int64_t raw = 0;
    ThrowIf(__builtin_mul_overflow(raw_, factor, &raw));
    return Currency(raw);
}
