// The memory-status calls and the locale's thousands separator.
#include <cstring>
#include <iterator>
#include <limits>

#include "platform/win32/run_time_link.h"

namespace {

static_assert(sizeof(MEMORYSTATUSEX) == 64);

// The 32-bit MEMORYSTATUS: dwLength, dwMemoryLoad, then six 32-bit sizes.
constexpr std::uint32_t kStatusLength = 32;
constexpr std::size_t kSizesOffset = 8;

// A size as the 32-bit call reports it: from Windows 2000 on, a figure above
// 4 GB reads as all bits set.
std::uint32_t Saturated(SIZE_T size) {
    constexpr SIZE_T kMax = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(size < kMax ? size : kMax);
}

}  // namespace

namespace platform {

bool QueryMemoryStatusEx(std::uint8_t (&record)[64]) {
    // Looked up at run time rather than imported: kernel32 of Windows 95, 98,
    // Me and NT 4 lacks it, and an import would keep the exe from loading there.
    using StatusExFunction = BOOL(WINAPI*)(MEMORYSTATUSEX*);
    static const auto statusEx = win32::FindFunction<StatusExFunction>(
        GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx");
    if (statusEx == nullptr) return false;
    // The record's 64-bit fields want 8-byte alignment, which a byte array
    // does not promise.
    MEMORYSTATUSEX status;
    std::memcpy(&status, record, sizeof status);
    statusEx(&status);
    std::memcpy(record, &status, sizeof status);
    return true;
}

void QueryMemoryStatus(std::uint8_t (&record)[32]) {
    // The call needs no size field and sets it itself.
    MEMORYSTATUS status{};
    GlobalMemoryStatus(&status);
    // A 64-bit build's record has pointer-sized fields; the program reads the
    // 32-bit layout, so the sizes are packed into it as a 32-bit process gets
    // them. In a 32-bit build this copies the record as it is.
    std::memcpy(record, &kStatusLength, sizeof kStatusLength);
    std::memcpy(record + 4, &status.dwMemoryLoad, sizeof status.dwMemoryLoad);
    const SIZE_T sizes[] = {status.dwTotalPhys,     status.dwAvailPhys,    status.dwTotalPageFile,
                            status.dwAvailPageFile, status.dwTotalVirtual, status.dwAvailVirtual};
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const std::uint32_t size = Saturated(sizes[i]);
        std::memcpy(record + kSizesOffset + 4 * i, &size, sizeof size);
    }
}

std::string ThousandsSeparator() {
    // LOCALE_STHOUSAND holds at most three characters and the terminator.
    char separator[4] = {};
    const int written =
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    return written > 0 ? std::string(separator, static_cast<std::size_t>(written - 1))
                       : std::string();
}

}  // namespace platform
