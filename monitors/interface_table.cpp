#include "monitors/interface_table.h"

#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kTableHeaderSize = 4;  // dwNumEntries
constexpr std::size_t kRowSize = 860;        // one MIB_IFROW, rows back to back
constexpr std::size_t kInOctetsOffset = 552;
constexpr std::size_t kOutOctetsOffset = 576;

std::uint32_t ReadEntryCount(const std::uint8_t* data) {
    std::uint32_t entries = 0;
    std::memcpy(&entries, data, sizeof entries);
    return entries;
}

std::int32_t ReadCounter(const std::uint8_t* at) {
    std::int32_t counter = 0;
    std::memcpy(&counter, at, sizeof counter);
    return counter;
}

std::int32_t AddCounter(std::int32_t total, std::int32_t counter) {
    const std::int64_t sum = std::int64_t{total} + counter;
    if (sum > std::numeric_limits<std::int32_t>::max() ||
        sum < std::numeric_limits<std::int32_t>::min()) {
        return total;
    }
    return static_cast<std::int32_t>(sum);
}

}  // namespace

std::optional<platform::InterfaceTotals> SumInterfaceTable(const std::uint8_t* data, std::size_t size) {
    if (size < kTableHeaderSize) return std::nullopt;
    const std::uint32_t entries = ReadEntryCount(data);
    // In 64 bits, so that no entry count can wrap the table's extent around.
    if (kTableHeaderSize + std::uint64_t{entries} * kRowSize > size) return std::nullopt;

    platform::InterfaceTotals totals;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* row = data + kTableHeaderSize + i * kRowSize;
        totals.received = AddCounter(totals.received, ReadCounter(row + kInOctetsOffset));
        totals.sent = AddCounter(totals.sent, ReadCounter(row + kOutOctetsOffset));
    }
    return totals;
}
