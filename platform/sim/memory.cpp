// The memory-status calls and the locale's thousands separator.
#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

constexpr std::uint32_t kStatusExLength = 64;
constexpr std::uint32_t kStatusLength = 32;
constexpr std::size_t kLengthSize = 4;  // dwLength, the first field of both records

sim::detail::MemoryState& Memory() {
    return sim::detail::TheWorld().memory;
}

// Everything after dwLength, as the call writes it.
template <std::size_t N>
void CopyAfterLength(const std::vector<std::uint8_t>& from, std::uint8_t (&to)[N]) {
    std::copy(from.begin() + kLengthSize, from.begin() + N, to + kLengthSize);
}

std::vector<std::uint8_t> Sized(std::vector<std::uint8_t> record, std::size_t size) {
    record.resize(size);
    return record;
}

}  // namespace

namespace platform {

bool QueryMemoryStatusEx(std::uint8_t (&record)[64]) {
    const std::optional<std::vector<std::uint8_t>>& served = Memory().statusEx;
    if (!served) return false;
    std::uint32_t length = 0;
    std::memcpy(&length, record, sizeof length);
    // Windows refuses a record whose size field is wrong and leaves it alone.
    if (length != kStatusExLength) return true;
    CopyAfterLength(*served, record);
    return true;
}

// GlobalMemoryStatus takes any size field and sets it to the record's size.
void QueryMemoryStatus(std::uint8_t (&record)[32]) {
    CopyAfterLength(Memory().status, record);
    std::memcpy(record, &kStatusLength, sizeof kStatusLength);
}

std::string ThousandsSeparator() {
    return Memory().thousandsSeparator;
}

}  // namespace platform

namespace sim {

void SetMemoryStatusEx(std::optional<std::vector<std::uint8_t>> record) {
    Memory().statusEx =
        record ? std::optional(Sized(std::move(*record), kStatusExLength)) : std::nullopt;
}

void SetMemoryStatus(const std::vector<std::uint8_t>& record) {
    Memory().status = Sized(record, kStatusLength);
}

void SetThousandsSeparator(const std::string& separator) {
    Memory().thousandsSeparator = separator;
}

}  // namespace sim
