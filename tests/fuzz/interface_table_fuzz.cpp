// libFuzzer target: summing a table of network interfaces. On any bytes it
// must read nothing outside them, and accept a table exactly when the rows its
// count claims fit behind the count.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "monitors/interface_table.h"

namespace {

constexpr std::size_t kHeaderSize = 4;  // dwNumEntries
constexpr std::uint64_t kRowSize = 860;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool accepted = SumInterfaceTable(data, size).has_value();
    bool fits = false;
    if (size >= kHeaderSize) {
        std::uint32_t entries = 0;
        std::memcpy(&entries, data, sizeof entries);
        fits = kHeaderSize + entries * kRowSize <= size;
    }
    Check(accepted == fits);
    return 0;
}
