// libFuzzer target: reading a start record of the System log. The bytes are
// taken as UTF-16 text, two to a character, as the log renders it. On any text
// the reader must end and read nothing outside it; what it accepts must lie in
// the range it promises, and the same values written out afresh the way
// Windows writes them must read back unchanged.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/uptime/boot_record_xml.h"
#include "uptime/boot_record.h"

namespace {

constexpr std::int64_t kUnitsPerDay = 864'000'000'000;  // of 100 ns
// 10000-01-01 as a FILETIME: the reader takes four-digit years only.
constexpr std::int64_t kYear10000 = 2'650'467'744'000'000'000;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

std::u16string Digits(std::int64_t value, int width) {
    std::u16string digits(static_cast<std::size_t>(width), u'0');
    for (auto at = digits.rbegin(); at != digits.rend(); ++at, value /= 10) {
        *at = static_cast<char16_t>(u'0' + value % 10);
    }
    return digits;
}

// The FILETIME as Windows writes it: seven decimals, then Z.
std::u16string SystemTime(std::int64_t time) {
    using namespace std::chrono;
    const year_month_day date{sys_days{year{1601} / January / 1} + days{time / kUnitsPerDay}};
    const std::int64_t rest = time % kUnitsPerDay;
    return Digits(int(date.year()), 4) + u"-" + Digits(unsigned(date.month()), 2) + u"-" +
           Digits(unsigned(date.day()), 2) + u"T" + Digits(rest / 36'000'000'000, 2) + u":" +
           Digits(rest / 600'000'000 % 60, 2) + u":" + Digits(rest / 10'000'000 % 60, 2) + u"." +
           Digits(rest % 10'000'000, 7) + u"Z";
}

std::u16string Hexadecimal(std::uint32_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return u"0x" + digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string xml(size / 2, u'\0');
    std::memcpy(xml.data(), data, xml.size() * sizeof(char16_t));
    const auto record = ReadBootRecord(xml);
    if (!record) return 0;
    Check(record->time >= 0 && record->time < kYear10000);
    const auto again = ReadBootRecord(
        boot_record_xml::Record(SystemTime(record->time), Hexadecimal(record->bootType)));
    Check(again && again->time == record->time && again->bootType == record->bootType);
    return 0;
}
