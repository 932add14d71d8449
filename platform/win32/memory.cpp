// The page-file figures of the memory-status calls, and the locale's
// thousands separator.
#include <limits>

#include "platform/win32/run_time_link.h"

namespace {

// A size as a 32-bit program gets it: from Windows 2000 on, a figure of 4 GB
// or more reads as all bits set.
std::uint32_t Saturated(SIZE_T size) {
    constexpr SIZE_T kMax = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(size < kMax ? size : kMax);
}

}  // namespace

namespace platform {

std::optional<PageFile<std::uint64_t>> QueryPageFile64() {
    // Looked up at run time rather than imported: kernel32 of Windows 95, 98,
    // Me and NT 4 lacks it, and an import would keep the exe from loading there.
    using StatusExFunction = BOOL(WINAPI*)(MEMORYSTATUSEX*);
    static const auto statusEx = win32::FindFunction<StatusExFunction>(
        GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx");
    if (statusEx == nullptr) return std::nullopt;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    // A failed call leaves the record zero; the figure then reads " K".
    statusEx(&status);
    return PageFile<std::uint64_t>{status.ullTotalPageFile, status.ullAvailPageFile};
}

PageFile<std::uint32_t> QueryPageFile32() {
    // The call needs no size field and sets it itself.
    MEMORYSTATUS status{};
    GlobalMemoryStatus(&status);
    return {Saturated(status.dwTotalPageFile), Saturated(status.dwAvailPageFile)};
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
