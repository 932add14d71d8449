#include "common/digits.h"

std::string AtLeastTwoDigits(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}
