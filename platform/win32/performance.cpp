// The performance-data and dynamic-statistics keys, the processor count and
// the conversion of a SYSTEMTIME into a FILETIME. Querying either key goes
// through RegQuery like any other value.
#include <cstddef>

#include "platform/win32/native.h"
// winperf.h needs windows.h before it.
#include <winperf.h>

namespace platform {

// The program reads the performance data as bytes at these positions, and
// they are the same on every target: 64-bit Windows keeps the records'
// pointer-sized title fields at 32 bits for this very reason.
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == 24);
static_assert(offsetof(PERF_DATA_BLOCK, NumObjectTypes) == 28);
static_assert(offsetof(PERF_DATA_BLOCK, SystemTime) == 36);
static_assert(sizeof(PERF_OBJECT_TYPE) == 64);
static_assert(offsetof(PERF_OBJECT_TYPE, DefinitionLength) == 4);
static_assert(offsetof(PERF_OBJECT_TYPE, HeaderLength) == 8);
static_assert(offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex) == 12);
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == 32);
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == 40);
static_assert(sizeof(PERF_COUNTER_DEFINITION) == 40);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex) == 4);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) == 36);
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == 24);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameOffset) == 16);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameLength) == 20);
static_assert(sizeof(PERF_COUNTER_BLOCK) == 4);

Status RegOpenWithAccess(Handle root, const std::string& subKey, std::uint32_t access,
                         Handle* key) {
    HKEY opened = nullptr;
    const LONG status =
        RegOpenKeyExA(win32::ToNative<HKEY>(root), subKey.c_str(), 0, access, &opened);
    *key = win32::ToHandle(opened);
    return status;
}

std::uint32_t ProcessorCount() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

bool FileTimeFromSystemTime(const SystemTime& time, std::int64_t* fileTime) {
    const SYSTEMTIME native{time.year, time.month,  time.dayOfWeek, time.day,
                            time.hour, time.minute, time.second,    time.milliseconds};
    FILETIME converted{};
    if (!SystemTimeToFileTime(&native, &converted)) return false;
    *fileTime = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(converted.dwHighDateTime) << 32) | converted.dwLowDateTime);
    return true;
}

}  // namespace platform
