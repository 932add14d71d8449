// GetIfTable over the simulated network interfaces, laid out byte for byte as
// Windows lays out a MIB_IFTABLE.
#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "platform/sim/sim.h"
#include "platform/sim/world.h"

namespace {

constexpr std::uint32_t kNoError = 0;
constexpr std::uint32_t kErrorInvalidParameter = 87;

constexpr std::size_t kTableHeaderSize = 4;  // dwNumEntries
constexpr std::size_t kRowSize = 860;        // one MIB_IFROW
constexpr std::size_t kIndexOffset = 512;
constexpr std::size_t kTypeOffset = 516;
constexpr std::size_t kInOctetsOffset = 552;
constexpr std::size_t kOutOctetsOffset = 576;

constexpr std::uint32_t kTypeEthernet = 6;
constexpr std::uint32_t kTypeSoftwareLoopback = 24;

sim::detail::NetworkState& Network() {
    return sim::detail::TheWorld().network;
}

std::uint32_t TableSize(std::size_t rows) {
    return static_cast<std::uint32_t>(kTableHeaderSize + rows * kRowSize);
}

void Put(std::uint8_t* at, std::uint32_t value) {
    std::memcpy(at, &value, sizeof value);
}

void WriteTable(std::uint8_t* table) {
    const std::vector<sim::InterfaceRow>& rows = Network().rows;
    Put(table, static_cast<std::uint32_t>(rows.size()) + Network().overstatedRows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::uint8_t* row = table + kTableHeaderSize + i * kRowSize;
        std::fill(row, row + kRowSize, 0);
        // Interface indexes count from 1, the loopback interface's first.
        Put(row + kIndexOffset, static_cast<std::uint32_t>(i + 1));
        Put(row + kTypeOffset, i == 0 ? kTypeSoftwareLoopback : kTypeEthernet);
        Put(row + kInOctetsOffset, rows[i].inOctets);
        Put(row + kOutOctetsOffset, rows[i].outOctets);
    }
}

}  // namespace

namespace platform {

// The rows are kept in index order, so asking for a sorted table changes nothing.
std::uint32_t InterfaceTable(std::uint8_t* table, std::uint32_t* size, bool /*sort*/) {
    sim::detail::NetworkState& network = Network();
    ++network.calls;
    if (network.notSupported) {
        return kErrorNotSupported;
    }
    if (size == nullptr) {
        return kErrorInvalidParameter;
    }
    if (table != nullptr && network.tableCallFails) {
        // An interface appeared after the caller sized its buffer.
        *size = TableSize(network.rows.size() + 1);
        return kErrorInsufficientBuffer;
    }
    const std::uint32_t needed = TableSize(network.rows.size());
    // A buffer too small for the table is left untouched.
    if (table == nullptr || *size < needed) {
        *size = needed;
        return kErrorInsufficientBuffer;
    }
    WriteTable(table);
    return kNoError;
}

}  // namespace platform

namespace sim {

void SetInterfaces(const std::vector<InterfaceRow>& rows) {
    Network().rows = rows;
}

void SetInterfaceTableNotSupported(bool notSupported) {
    Network().notSupported = notSupported;
}

void SetInterfaceTableCallFails(bool fails) {
    Network().tableCallFails = fails;
}

void SetInterfaceTableOverstatesRows(std::uint32_t extraRows) {
    Network().overstatedRows = extraRows;
}

int InterfaceTableCalls() {
    return Network().calls;
}

}  // namespace sim
