// Totals over the table of network interfaces that GetIfTable writes, read
// without trusting the table to fit the buffer it came in. The Windows layer's
// ReadInterfaceTotals calls it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/platform.h"

// Sums the received (dwInOctets) and sent (dwOutOctets) byte counters of every
// row of the MIB_IFTABLE in the size bytes at data, whatever the row's type. Each counter counts as a 32-bit signed value, and an
// addition that would take a total out of that range is skipped, the total
// keeping its value. nullopt when the bytes cannot hold what the table claims:
// fewer than the 4 bytes of dwNumEntries, or more rows than fit behind them.
std::optional<platform::InterfaceTotals> SumInterfaceTable(const std::uint8_t* data, std::size_t size);
