#include "app/pc_name.h"

#include <algorithm>
#include <cstdint>

#include "platform/platform.h"

std::string GetPCName() {
    constexpr std::uint32_t kBufferSize = 256;
    char buffer[kBufferSize] = {};
    std::uint32_t size = kBufferSize;
    if (platform::QueryComputerName(buffer, &size) == 0) return "";
    // The size returned excludes the terminator; some systems count it, so a
    // NUL in the last counted place is dropped. Never read past the buffer.
    std::uint32_t n = std::min(size, kBufferSize);
    if (n > 0 && buffer[n - 1] == '\0') --n;
    return std::string(buffer, n);
}
