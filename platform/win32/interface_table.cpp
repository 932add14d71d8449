// The system's table of network interfaces, summed.
#include <cstddef>
#include <vector>

#include "monitors/interface_table.h"
#include "platform/win32/run_time_link.h"
// iphlpapi.h needs windows.h before it.
#include <iphlpapi.h>

namespace platform {

// The sum reads the table as bytes at these positions, so the headers must
// agree with them on every target.
static_assert(offsetof(MIB_IFTABLE, table) == 4);
static_assert(sizeof(MIB_IFROW) == 860);
static_assert(offsetof(MIB_IFROW, dwInOctets) == 552);
static_assert(offsetof(MIB_IFROW, dwOutOctets) == 576);

std::optional<InterfaceTotals> ReadInterfaceTotals() {
    // Windows 95 and NT 4.0 before its Service Pack 4 have no iphlpapi.dll,
    // and an import of it would keep the exe from starting there at all. So
    // it is looked up at run time; where it is missing, the totals are 0.
    using GetIfTableFunction = DWORD(WINAPI*)(MIB_IFTABLE*, ULONG*, BOOL);
    static const auto getIfTable = win32::FindFunction<GetIfTableFunction>(
        win32::LoadSystemLibrary("iphlpapi.dll"), "GetIfTable");
    if (getIfTable == nullptr) return InterfaceTotals{};

    ULONG size = 0;
    if (getIfTable(nullptr, &size, FALSE) == ERROR_NOT_SUPPORTED) return std::nullopt;
    std::vector<std::uint8_t> table(size);
    if (getIfTable(reinterpret_cast<MIB_IFTABLE*>(table.data()), &size, FALSE) != NO_ERROR) {
        return InterfaceTotals{};
    }
    // The table is read only within the buffer it was written into. A row
    // count that reaches past it, or a size too small for even the count,
    // makes the whole table untrustworthy: rather than sum the rows that fit,
    // it counts like a failed call.
    return SumInterfaceTable(table.data(), table.size()).value_or(InterfaceTotals{});
}

}  // namespace platform
