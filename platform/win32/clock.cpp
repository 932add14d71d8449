// Time since the system started, the wall clock in local time and UTC, and the
// locale's month names.
#include "platform/win32/run_time_link.h"

namespace platform {

std::uint32_t TickCount() {
    return GetTickCount();
}

int PerformanceCounter(std::int64_t* count) {
    LARGE_INTEGER value{};
    const BOOL present = QueryPerformanceCounter(&value);
    *count = value.QuadPart;
    return present;
}

int PerformanceFrequency(std::int64_t* frequency) {
    LARGE_INTEGER value{};
    const BOOL present = QueryPerformanceFrequency(&value);
    *frequency = value.QuadPart;
    return present;
}

LocalTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::optional<std::int64_t> UtcNow() {
    // Looked up rather than imported, so that the exe's imports stay as they
    // were checked against the oldest Windows: only the Windows versions that
    // keep an event log to compare it with ever ask for the time in UTC.
    using SystemTimeFunction = VOID(WINAPI*)(FILETIME*);
    static const auto systemTime = win32::FindFunction<SystemTimeFunction>(
        GetModuleHandleA("kernel32.dll"), "GetSystemTimeAsFileTime");
    if (systemTime == nullptr) return std::nullopt;
    FILETIME now{};
    systemTime(&now);
    return static_cast<std::int64_t>((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime);
}

std::string MonthAbbreviation(int month) {
    if (month < 1 || month > 12) return {};
    // LOCALE_SABBREVMONTHNAME1 to 12 are consecutive; the thirteenth month of
    // some calendars has a constant of its own and is never asked for.
    const LCTYPE item = LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month - 1);
    const int needed = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, nullptr, 0);
    if (needed <= 0) return {};
    std::string name(static_cast<std::size_t>(needed), '\0');
    const int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, name.data(), needed);
    // Both counts include the terminating NUL.
    name.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
    return name;
}

}  // namespace platform
