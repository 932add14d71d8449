// Whole numbers written at least two digits wide, the pattern "0#" of the
// Status tab's processor figures and of the clock fields of the times shown.
#pragma once

#include <cstdint>
#include <string>

// 7 becomes "07", 42 stays "42", 100 stays "100".
std::string AtLeastTwoDigits(std::int32_t value);
