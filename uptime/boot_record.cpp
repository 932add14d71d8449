#include "uptime/boot_record.h"

#include <chrono>
#include <string>

namespace {

// Anything the reader does not accept; ReadBootRecord turns it into no record.
struct Refused {};

void Require(bool holds) {
    if (!holds) throw Refused{};
}

constexpr std::size_t kMaxDepth = 32;
// Longer than any number the reader takes, with blanks around it.
constexpr std::size_t kMaxValueLength = 64;
constexpr std::uint32_t kBootEventId = 27;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int HexDigit(char16_t c) {
    if (IsDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool IsNameStart(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' || c == u':' ||
           c >= 0x80;
}

bool IsNameChar(char16_t c) {
    return IsNameStart(c) || IsDigit(c) || c == u'-' || c == u'.';
}

char16_t LowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Provider names are not case-sensitive to Windows.
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

std::u16string_view WithoutBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A number below 2^32, decimal or, where hex is allowed, 0x-prefixed
// hexadecimal; at least one digit, no sign.
std::uint32_t Number(std::u16string_view text, bool hexAllowed) {
    text = WithoutBlanks(text);
    int base = 10;
    if (hexAllowed && text.size() > 2 && text[0] == u'0' && LowerAscii(text[1]) == u'x') {
        base = 16;
        text.remove_prefix(2);
    }
    Require(!text.empty());
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        const int digit = base == 16 ? HexDigit(c) : (IsDigit(c) ? c - u'0' : -1);
        Require(digit >= 0);
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        Require(value <= 0xFFFFFFFFu);
    }
    return static_cast<std::uint32_t>(value);
}

// The next `count` characters of text as a decimal number.
int Digits(std::u16string_view& text, std::size_t count) {
    const std::u16string_view digits = text.substr(0, count);
    Require(digits.size() == count);
    int value = 0;
    for (const char16_t c : digits) {
        Require(IsDigit(c));
        value = value * 10 + (c - u'0');
    }
    text.remove_prefix(count);
    return value;
}

void Expect(std::u16string_view& text, char16_t c) {
    Require(!text.empty() && text.front() == c);
    text.remove_prefix(1);
}

// "2026-12-09T08:00:00.1234567Z" as 100-nanosecond units since 1601. Windows
// writes seven decimals, some versions nine; what lies beyond the seventh is
// below the unit and dropped.
std::int64_t UtcTime(std::u16string_view text) {
    using namespace std::chrono;
    const int y = Digits(text, 4);
    Expect(text, u'-');
    const int mo = Digits(text, 2);
    Expect(text, u'-');
    const int d = Digits(text, 2);
    Expect(text, u'T');
    const int h = Digits(text, 2);
    Expect(text, u':');
    const int mi = Digits(text, 2);
    Expect(text, u':');
    const int s = Digits(text, 2);
    std::int64_t units = 0;
    if (!text.empty() && text.front() == u'.') {
        text.remove_prefix(1);
        std::size_t decimals = 0;
        while (!text.empty() && IsDigit(text.front())) {
            if (decimals < 7) units = units * 10 + (text.front() - u'0');
            ++decimals;
            text.remove_prefix(1);
        }
        Require(decimals >= 1 && decimals <= 9);
        for (; decimals < 7; ++decimals) units *= 10;
    }
    Require(text == u"Z");
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)},
                              day{static_cast<unsigned>(d)}};
    Require(y >= 1601 && date.ok() && h < 24 && mi < 60 && s < 60);
    using FileTimeUnits = duration<std::int64_t, std::ratio<1, 10'000'000>>;
    const auto sinceEpoch =
        sys_days{date} + hours{h} + minutes{mi} + seconds{s} - sys_days{year{1601} / January / 1};
    return duration_cast<FileTimeUnits>(sinceEpoch).count() + units;
}

// What an element is to the reader, from its name and its parent's kind.
enum class Kind { Other, Event, System, EventData, Provider, EventId, TimeCreated, Data, BootType };

class Reader {
  public:
    explicit Reader(std::u16string_view xml) : xml_(xml) {}

    BootRecord Read() {
        SkipMisc();
        Element(Kind::Other, 1);
        SkipMisc();
        Require(at_ == xml_.size());
        Require(provider_ == 1 && eventId_ && time_ && bootType_);
        Require(*eventId_ == kBootEventId);
        return BootRecord{*time_, *bootType_};
    }

  private:
    bool AtEnd() const { return at_ >= xml_.size(); }
    bool LooksAt(std::u16string_view text) const { return xml_.substr(at_, text.size()) == text; }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(xml_[at_])) ++at_;
    }

    // Moves past the next `end`, which must come.
    void SkipPast(std::u16string_view end) {
        const std::size_t found = xml_.find(end, at_);
        Require(found != std::u16string_view::npos);
        at_ = found + end.size();
    }

    // Blanks, comments, declarations and processing instructions, which may
    // come between elements.
    void SkipMisc() {
        for (;;) {
            SkipBlanks();
            if (LooksAt(u"<!--")) {
                SkipPast(u"-->");
            } else if (LooksAt(u"<?")) {
                SkipPast(u"?>");
            } else {
                return;
            }
        }
    }

    std::u16string_view Name() {
        const std::size_t start = at_;
        Require(!AtEnd() && IsNameStart(xml_[at_]));
        while (!AtEnd() && IsNameChar(xml_[at_])) ++at_;
        return xml_.substr(start, at_ - start);
    }

    static Kind KindOf(Kind parent, std::u16string_view name, int depth) {
        if (depth == 1) {
            Require(name == u"Event");
            return Kind::Event;
        }
        switch (parent) {
            case Kind::Event:
                if (name == u"System") return Kind::System;
                if (name == u"EventData") return Kind::EventData;
                return Kind::Other;
            case Kind::System:
                if (name == u"Provider") return Kind::Provider;
                if (name == u"EventID") return Kind::EventId;
                if (name == u"TimeCreated") return Kind::TimeCreated;
                return Kind::Other;
            case Kind::EventData:
                return name == u"Data" ? Kind::Data : Kind::Other;
            case Kind::EventId:
            case Kind::BootType:
                throw Refused{};  // a number, not a tree
            default:
                return Kind::Other;
        }
    }

    // The attributes of a start tag, up to its '>' or "/>"; the value of the
    // one attribute that matters to an element of this kind, if it has one.
    std::optional<std::u16string_view> Attributes(Kind kind) {
        const std::u16string_view wanted = kind == Kind::TimeCreated ? u"SystemTime"
                                           : kind == Kind::Provider || kind == Kind::Data ? u"Name"
                                                                                          : u"";
        std::optional<std::u16string_view> value;
        for (;;) {
            const std::size_t before = at_;
            SkipBlanks();
            if (AtEnd() || xml_[at_] == u'>' || xml_[at_] == u'/') return value;
            Require(at_ > before);  // attributes are set apart by blanks
            const std::u16string_view name = Name();
            SkipBlanks();
            Require(!AtEnd() && xml_[at_] == u'=');
            ++at_;
            SkipBlanks();
            Require(!AtEnd() && (xml_[at_] == u'\'' || xml_[at_] == u'"'));
            const char16_t quote = xml_[at_++];
            const std::size_t end = xml_.find(quote, at_);
            Require(end != std::u16string_view::npos);
            const std::u16string_view text = xml_.substr(at_, end - at_);
            Require(text.find(u'<') == std::u16string_view::npos);
            at_ = end + 1;
            if (name == wanted) {
                Require(!value);
                value = text;
            }
        }
    }

    // One element and everything in it, from its '<'.
    void Element(Kind parent, int depth) {
        Require(depth <= static_cast<int>(kMaxDepth));
        Expect(u'<');
        const std::u16string_view name = Name();
        Kind kind = KindOf(parent, name, depth);
        const std::optional<std::u16string_view> attribute = Attributes(kind);
        if (kind == Kind::Provider) Provider(attribute);
        if (kind == Kind::TimeCreated) {
            Require(attribute && !time_);
            time_ = UtcTime(*attribute);
        }
        if (kind == Kind::Data && attribute == u"BootType") kind = Kind::BootType;

        std::u16string text;
        if (LooksAt(u"/>")) {
            at_ += 2;
        } else {
            Expect(u'>');
            Content(kind, depth, text);
            Expect(u'<');
            Expect(u'/');
            Require(Name() == name);
            SkipBlanks();
            Expect(u'>');
        }
        if (kind == Kind::EventId) {
            Require(!eventId_);
            eventId_ = Number(text, false);
        }
        if (kind == Kind::BootType) {
            Require(!bootType_);
            bootType_ = Number(text, true);
        }
    }

    // What lies between a start tag and its end tag: text, child elements,
    // comments and processing instructions. The text is kept for the two
    // elements whose value is a number.
    void Content(Kind kind, int depth, std::u16string& text) {
        for (;;) {
            const std::size_t tag = xml_.find(u'<', at_);
            Require(tag != std::u16string_view::npos);
            if (kind == Kind::EventId || kind == Kind::BootType) {
                text.append(xml_.substr(at_, tag - at_));
                Require(text.size() <= kMaxValueLength);
            }
            at_ = tag;
            if (LooksAt(u"</")) return;
            if (LooksAt(u"<!--")) {
                SkipPast(u"-->");
            } else if (LooksAt(u"<?")) {
                SkipPast(u"?>");
            } else {
                Element(kind, depth + 1);  // refuses "<!": no CDATA, no DOCTYPE
            }
        }
    }

    void Provider(std::optional<std::u16string_view> name) {
        Require(name && EqualIgnoringCase(*name, u"Microsoft-Windows-Kernel-Boot"));
        ++provider_;
    }

    void Expect(char16_t c) {
        Require(!AtEnd() && xml_[at_] == c);
        ++at_;
    }

    std::u16string_view xml_;
    std::size_t at_ = 0;
    int provider_ = 0;
    std::optional<std::uint32_t> eventId_;
    std::optional<std::int64_t> time_;
    std::optional<std::uint32_t> bootType_;
};

}  // namespace

std::optional<BootRecord> ReadBootRecord(std::u16string_view xml) {
    try {
        return Reader(xml).Read();
    } catch (const Refused&) {
        return std::nullopt;
    }
}
