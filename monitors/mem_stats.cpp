#include "monitors/mem_stats.h"

#include <optional>

#include "common/globals.h"
#include "common/rounding.h"
#include "common/runtime_error.h"
#include "platform/platform.h"

namespace {

constexpr const char* kMemoryQueryFailed = "memory query failed";

// Each record gives nothing when it says more is available than there is in
// all: no figure can be made of that, and none may be negative.
std::optional<double> CommittedBytesFromStatusEx() {
    const auto figures = platform::QueryPageFile64();
    if (!figures) throw EntryPointNotFoundError("GlobalMemoryStatusEx", "kernel32");
    const Currency used =
        LargeIntToCurrency(figures->total) - LargeIntToCurrency(figures->available);
    if (used < Currency()) return std::nullopt;
    return used.ToDouble();
}

// The old record's sizes are unsigned byte counts: read as signed, a page file
// of 2 GB or more would make the figure negative. A size with all bits set is
// one the record could not hold (Windows 2000 and later, and Wine, report
// sizes over 4 GB so), and no figure can be made of it.
std::optional<double> CommittedBytesFromStatus() {
    const auto [total, available] = platform::QueryPageFile32();
    constexpr std::uint32_t kTooLarge = 0xFFFF'FFFF;
    if (total == kTooLarge || available == kTooLarge || available > total) return std::nullopt;
    return total - available;
}

// The pattern "#,###": digits grouped by three with the locale's separator,
// no leading zeros, and nothing at all for 0.
std::string GroupedDigits(std::int32_t value, const std::string& separator) {
    if (value == 0) return {};
    // Through 64 bits, so that the most negative value has a magnitude.
    const std::int64_t wide = value;
    const std::string digits = std::to_string(wide < 0 ? -wide : wide);
    std::string text = wide < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

}  // namespace

Currency LargeIntToCurrency(std::uint64_t count) {
    // The raw bits make a Currency of a ten-thousandth of the integer; scaling
    // it up makes its value the integer itself.
    return Currency::FromRaw(static_cast<std::int64_t>(count)) * Currency::kScale;
}

std::string GetMemoryUsage() {
    try {
        const std::optional<double> used =
            gIsWin2kOrLater ? CommittedBytesFromStatusEx() : CommittedBytesFromStatus();
        if (!used) return kMemoryQueryFailed;
        const std::int32_t kilobytes = RoundToInt32(*used / 1024);
        return GroupedDigits(kilobytes, platform::ThousandsSeparator()) + " K";
    } catch (const RuntimeError&) {
        return kMemoryQueryFailed;
    }
}
