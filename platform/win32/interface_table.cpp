// The system's table of network interfaces.
#include <cstddef>

#include "platform/win32/run_time_link.h"
// iphlpapi.h needs windows.h before it.
#include <iphlpapi.h>

namespace platform {

// The program reads the table as bytes at these positions, so the headers
// must agree with them on every target.
static_assert(offsetof(MIB_IFTABLE, table) == 4);
static_assert(sizeof(MIB_IFROW) == 860);
static_assert(offsetof(MIB_IFROW, dwIndex) == 512);
static_assert(offsetof(MIB_IFROW, dwType) == 516);
static_assert(offsetof(MIB_IFROW, dwInOctets) == 552);
static_assert(offsetof(MIB_IFROW, dwOutOctets) == 576);

std::uint32_t InterfaceTable(std::uint8_t* table, std::uint32_t* size, bool sort) {
    // Windows 95 and NT 4.0 before its Service Pack 4 have no iphlpapi.dll,
    // and an import of it would keep the exe from starting there at all. So
    // it is looked up at run time, and where it is missing both calls fail
    // with the loader's own error, which the network counter takes as totals
    // of 0.
    using GetIfTableFunction = DWORD(WINAPI*)(MIB_IFTABLE*, ULONG*, BOOL);
    static const auto getIfTable = win32::FindFunction<GetIfTableFunction>(
        win32::LoadSystemLibrary("iphlpapi.dll"), "GetIfTable");
    if (getIfTable == nullptr) return ERROR_MOD_NOT_FOUND;
    // ULONG is unsigned long to MinGW, a different type from std::uint32_t.
    ULONG nativeSize = *size;
    const DWORD result =
        getIfTable(reinterpret_cast<MIB_IFTABLE*>(table), &nativeSize, sort ? TRUE : FALSE);
    *size = nativeSize;
    return result;
}

}  // namespace platform
