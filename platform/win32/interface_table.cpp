// The system's table of network interfaces.
#include <cstddef>

#include "platform/win32/native.h"
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
    // ULONG is unsigned long to MinGW, a different type from std::uint32_t.
    ULONG nativeSize = *size;
    const DWORD result =
        GetIfTable(reinterpret_cast<MIB_IFTABLE*>(table), &nativeSize, sort ? TRUE : FALSE);
    *size = nativeSize;
    return result;
}

}  // namespace platform
