#include "uptime/boot_record.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/uptime/boot_record_xml.h"

namespace {

using boot_record_xml::Edited;
using boot_record_xml::Record;

// 2005-12-06 08:04:09.123 UTC as a FILETIME (SystemTimeToFileTime's answer).
constexpr std::int64_t kDecember6th = 127'783'298'491'230'000;
const std::u16string kWindowsRecord = Record(u"2005-12-06T08:04:09.1230000Z", u"1");

TEST(BootRecordTest, ReadsTimeAndTypeAsWindowsWritesThem) {
    const auto record = ReadBootRecord(kWindowsRecord);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->time, kDecember6th);
    EXPECT_EQ(record->bootType, kBootAfterHybridShutdown);

    // Nine decimals, as some versions write; the last two are below the unit.
    EXPECT_EQ(ReadBootRecord(Record(u"2005-12-06T08:04:09.123456789Z", u"0"))->time,
              kDecember6th + 4567);
    EXPECT_EQ(ReadBootRecord(Record(u"2005-12-06T08:04:09Z", u"0"))->time, kDecember6th - 1230000);
    // Across a leap day, and the first moment a FILETIME holds.
    EXPECT_EQ(ReadBootRecord(Record(u"2004-03-01T00:00:00.0Z", u"0"))->time -
                  ReadBootRecord(Record(u"2004-02-28T00:00:00.0Z", u"0"))->time,
              2 * 864'000'000'000);
    EXPECT_EQ(ReadBootRecord(Record(u"1601-01-01T00:00:00Z", u"0"))->time, 0);

    // The type in decimal or hexadecimal, with blanks; the reader does not judge it.
    for (const auto& [text, type] : {std::pair{u"2", 2u},
                                     {u"0x1", 1u},
                                     {u" 0X0A\n", 10u},
                                     {u"4294967295", 0xFFFFFFFFu},
                                     {u"0xffffffff", 0xFFFFFFFFu}}) {
        const auto read = ReadBootRecord(Record(u"2005-12-06T08:04:09.123Z", text));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->bootType, type);
    }
}

TEST(BootRecordTest, ReadsTheFormEventViewerShows) {
    const std::u16string shown =
        u"<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n"
        u"<Event xmlns=\"http://schemas.microsoft.com/win/2004/08/events/event\">\r\n"
        u"  <System>\r\n"
        u"    <Provider Name=\"microsoft-windows-kernel-boot\" Guid=\"{15ca44ff}\" />\r\n"
        u"    <EventID Qualifiers=\"\">27</EventID>\r\n"
        u"    <!-- the time -->\r\n"
        u"    <TimeCreated SystemTime = \"2005-12-06T08:04:09.1230000Z\" />\r\n"
        u"  </System>\r\n"
        u"  <EventData>\r\n"
        u"    <Data Name=\"LoadOptions\"> a &amp; b </Data>\r\n"
        u"    <Data Name=\"BootType\">0x2</Data>\r\n"
        u"  </EventData>\r\n"
        u"</Event >\r\n";
    const auto record = ReadBootRecord(shown);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->time, kDecember6th);
    EXPECT_EQ(record->bootType, kBootFromHibernation);
}

TEST(BootRecordTest, RefusesEveryRecordCutShort) {
    for (std::size_t length = 0; length < kWindowsRecord.size(); ++length) {
        EXPECT_FALSE(ReadBootRecord(std::u16string_view(kWindowsRecord).substr(0, length)))
            << length;
    }
}

TEST(BootRecordTest, RefusesRecordsOfAnotherForm) {
    const std::u16string time = u"<TimeCreated SystemTime='2005-12-06T08:04:09.1230000Z'/>";
    const std::u16string type = u"<Data Name='BootType'>1</Data>";
    const std::u16string refused[] = {
        // What is read is missing, doubled or of another event.
        Edited(kWindowsRecord, time),
        Edited(kWindowsRecord, u"SystemTime", u"Time"),
        Edited(kWindowsRecord, type),
        Edited(kWindowsRecord, u"'BootType'", u"'bootType'"),
        Edited(kWindowsRecord, type, type + type),
        Edited(kWindowsRecord, time, time + time),
        Edited(kWindowsRecord, u"<EventID>27</EventID>"),
        Edited(kWindowsRecord, u"<EventID>27", u"<EventID>28"),
        Edited(kWindowsRecord, u"<EventID>27", u"<EventID>0x1B"),
        Edited(kWindowsRecord, u"-Kernel-Boot", u"-Kernel-Power"),
        Edited(kWindowsRecord, u" Name='Microsoft-Windows-Kernel-Boot'"),
        Edited(kWindowsRecord, u"<System>",
               u"<System><Provider Name='Microsoft-Windows-Kernel-Boot'/>"),
        // The boot type is no number below 2^32.
        Record(u"2005-12-06T08:04:09Z", u""),
        Record(u"2005-12-06T08:04:09Z", u"0x"),
        Record(u"2005-12-06T08:04:09Z", u"-1"),
        Record(u"2005-12-06T08:04:09Z", u"+1"),
        Record(u"2005-12-06T08:04:09Z", u"1 2"),
        Record(u"2005-12-06T08:04:09Z", u"4294967296"),
        Record(u"2005-12-06T08:04:09Z", u"0x100000000"),
        Record(u"2005-12-06T08:04:09Z", u"&#49;"),
        Record(u"2005-12-06T08:04:09Z", u"<![CDATA[1]]>"),
        Record(u"2005-12-06T08:04:09Z", u"<b>1</b>"),
        // The time is not a UTC time Windows writes.
        Record(u"2005-12-06T08:04:09.1230000", u"1"),
        Record(u"2005-12-06T08:04:09.1230000+01:00", u"1"),
        Record(u"2005-12-06 08:04:09Z", u"1"),
        Record(u"2005-12-06T08:04:09.Z", u"1"),
        Record(u"2005-12-06T08:04:09.1234567890Z", u"1"),
        Record(u"2005-13-06T08:04:09Z", u"1"),
        Record(u"2005-02-29T08:04:09Z", u"1"),
        Record(u"2005-12-06T24:00:00Z", u"1"),
        Record(u"2005-12-06T08:60:00Z", u"1"),
        Record(u"2005-12-06T08:04:60Z", u"1"),
        Record(u"1600-12-31T23:59:59Z", u"1"),
        Record(u"205-12-06T08:04:09Z", u"1"),
        // Not one well-formed element tree, or not an event.
        Edited(kWindowsRecord, u"</System>", u"</Sys>"),
        Edited(kWindowsRecord, u"</EventData>"),
        Edited(kWindowsRecord, u"Name='BootType'", u"Name='BootType"),
        Edited(kWindowsRecord, u"Name='BootType'", u"Name=BootType"),
        Edited(kWindowsRecord, u"ProcessID='4' ThreadID", u"ProcessID='4'ThreadID"),
        Edited(kWindowsRecord, u"<Event ", u"<!DOCTYPE Event><Event "),
        Edited(kWindowsRecord, u"<Event ", u"<Record "),
        kWindowsRecord + u"<Event/>",
        kWindowsRecord + u"x",
        u"x" + kWindowsRecord,
    };
    for (const std::u16string& xml : refused) {
        EXPECT_FALSE(ReadBootRecord(xml)) << std::string(xml.begin(), xml.end());
    }
}

TEST(BootRecordTest, RefusesNestingBeyondThirtyTwoDeep) {
    auto nested = [](int depth) {
        std::u16string open;
        std::u16string close;
        for (int i = 3; i < depth; ++i) {
            open += u"<a>";
            close.insert(0, u"</a>");
        }
        return Edited(kWindowsRecord, u"<Correlation/>", open + u"<b/>" + close);
    };
    // <Event> and <System>, the chain below them and <b/> at the given depth.
    EXPECT_TRUE(ReadBootRecord(nested(32)));
    EXPECT_FALSE(ReadBootRecord(nested(33)));
}

}  // namespace
